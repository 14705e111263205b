#include "app/TextTable.h"

namespace torvik {
namespace {

// Entry k: English at 2k, Chinese at 2k + 1.
const char* const kTextTable[] = {
    "WatchDog linked!", "看门狗连接正常!",
    "WatchDog error!", "看门狗连接错误!",
    "Timeout(Seconds):", "死机后重启时间(秒):",
    "Scheduled Restart(days):", "定时重启天数:",
    "Website Monitoring:", "网址监控:",
    "Specified Program Monitoring:", "指定程序监控:",
    "Video Card Monitoring:", "显卡监控:",
    "Date Of Last Boot", "最后开机时间",
    "Total Running Time", "累计运行时间",
    "Scheduled Restart", "定时重启天数",
    "Remaining Time", "定时重启剩余时间",
    "Run Log(See In Runlog.txt)", "运行日志(查看runlog.txt)",
    "Reset times last time:", "看门狗最后重启次数：",
    "VideoCard Number:", "系统显卡数量：",
    "Help", "使用说明",
    "Wiring diagram", "接线说明",
    "Process list", "进程列表",
    "Reset now", "立刻重启",
    "Save config", "保存配置",
    "Watchdog display setup:", "看门狗数码显示状态设置:",
    "Watchdog display No. setup:", "看门狗数码显示编号设置:",
    "Display system time:", "显示系统时间:",
    "Display Cards number:", "显示系统显卡数量:",
    "Watchdog sound switch:", "看门狗喇叭开关:",
};
static_assert(sizeof(kTextTable) / sizeof(kTextTable[0]) == 2 * static_cast<int>(Text::Count),
              "every entry needs both languages");

}  // namespace

const char* TextOf(Text entry, LanguageIndex language) {
    return kTextTable[2 * static_cast<int>(entry) + (language & 1)];
}

}  // namespace torvik
