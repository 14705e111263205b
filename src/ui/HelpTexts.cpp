#include "ui/HelpTexts.h"

#include "ui/ControlIds.h"

namespace torvik {

// Shown exactly as written here, the spaces before commas and the full-width
// comma included; do not tidy them.
const HelpPair kHelpButtonTexts[6] = {
    {ctl::kTimeoutHelp,
     "How long does the system restart after the system is dead or blue screen ，Set range: 10-1270 seconds.",
     "死机后重启时间：\r\n"
     "表示看门狗接收到最后的喂狗指令开始计数，当超过这个时间后，看门狗将发出重启信号，"
     "建议将此时间设置为大于您系统的正常开机时间，否则将可能导致系统一直重启。"
     "如果要测试是否自动重启，可以关闭本软件，超过时间后看门狗就会重启。"},
    {ctl::kDaysHelp,
     "Scheduled Restart(days):\r\n"
     "0 means not restarting ,Set range: 1-99 days ",
     "定时重启时天数：\r\n"
     "表示每间隔多长时间自动重启一次，设置为0表示不定时重启。设置范围1-99天。"},
    {ctl::kWebsiteHelp,
     "Restart the computer when the website is not accessible and restart only 3 times ,"
     "If you do not need to monitor, empty the input, then save it.",
     "网址监控：\r\n"
     "比如填入www.example.com，监控软件会定时检测网络是否通，如果不通则重启电脑，"
     "如果重启3次后任然不通，则放弃重启，建议检查网络问题。如果不需要监控，清空内容后保存即可。"},
    {ctl::kProgramHelp,
     "Restart the computer when the specified program stops running ,"
     "If you do not need to monitor, empty the input, then save it.",
     "监控指定程序：\r\n"
     "点击“add”按钮添加，在右侧的进程栏里选择即可添加。如果不需要监控，清空内容后保存即可。"},
    {ctl::kDisplayHelp,
     "Setting the display number of the watchdog device.",
     "\r\n"
     "1. 设置看门狗编号：\r\n"
     "对看门狗默认显示的编号进行配置，设置范围0000-9999，可以方便机房批量管理设备、巡检，设备编号一目了然。\r\n"
     "\r\n"
     "2. 显示系统时间：\r\n"
     "勾选后将在看门狗数码管上面循环显示当前系统时间。显示格式：小时:分钟 \r\n"
     "\r\n"
     "3. 系统显卡数量：\r\n"
     "勾选后将在看门狗数码管上面循环显示当前系统显卡数量，是指设备管理器里面显卡的数量。"
     "显示格式:d-xx，xx表示显卡数量。\r\n"
     "\r\n"
     "\r\n"},
    {ctl::kVideoCardHelp,
     "Restart the computer when the number of graphics cards change ,and restart only 1 times.",
     "显卡监控：\r\n"
     "监控软件会定时检测显卡数量，当显卡松动、数量不对等异常情况时，重启电脑，只重启一次，"
     "并记录到日志文件，点击“VideoCardList”可以查看当前显卡情况。如需监控，请在前面方框打勾。"},
};

const HelpPair* FindHelpText(int buttonId) {
    for (const HelpPair& pair : kHelpButtonTexts) {
        if (pair.buttonId == buttonId) return &pair;
    }
    return nullptr;
}

// Each paragraph is one line of the help edit, which wraps it.
const char* const kUsageTextEnglish =
    "Instructions for the use of a watchdog\r\n"
    "\r\n"
    "1. Download the installation package of the watchdog software from "
    "https://torvik.example.com and unpack it into a folder of your choice.\r\n"
    "\r\n"
    "2. Install the driver of the watchdog. Some boards also work without a driver, "
    "but we recommend installing it, because the monitoring is then more complete "
    "and more accurate.\r\n"
    "\r\n"
    "3. With the computer switched off, connect the leads as shown in the wiring diagram: "
    "the RST lead goes to the reset pins of the motherboard (commonly also marked Reset or Res), "
    "and the PWR lead goes to its power-button pins (commonly marked On/Off or PWR BTN). "
    "If you are not sure which pins these are, see the manual of the motherboard.\r\n"
    "\r\n"
    "4. Connect the mains power. When the wiring is correct, the computer normally "
    "starts by itself. After the system has started, open the monitoring program; "
    "its status line shows whether the watchdog is linked.\r\n"
    "\r\n"
    "5. Make the monitoring program start together with the system. Some versions "
    "add themselves to the start-up items; otherwise, open the Run dialog of the system "
    "(through the Win+X menu), enter shell:startup to open the start-up folder, "
    "and put a shortcut to the program into that folder.\r\n"
    "\r\n"
    "Important hints, please read before relying on the watchdog: once everything "
    "is installed, press the \"Reset now\" button. If the computer restarts, the "
    "watchdog and its wiring work. To test the watchdog itself, make the computer "
    "hang (for example by overclocking it) or simply close the monitoring program; "
    "the computer restarts as soon as the timeout has run out. Set the timeout longer "
    "than the normal start-up time of your system, or it may keep restarting.\r\n"
    "\r\n";

const char* const kUsageTextChinese =
    "看门狗简单使用说明：\r\n"
    "基本功能：看门狗配合监控软件使用，能够检测电脑死机、蓝屏、系统崩溃、网络断开、显卡掉线"
    "以及指定程序停止运行等异常情况，并自动重启系统，实现设备长期无人值守运行。\r\n"
    "\r\n"
    "使用流程：\r\n"
    "1、下载看门狗监控软件安装包，解压到电脑上的任意文件夹。\r\n"
    "\r\n"
    "2、安装看门狗驱动程序。部分看门狗不安装驱动也可以使用，但建议安装驱动，"
    "这样监控会更全面、更准确。\r\n"
    "\r\n"
    "3、在电脑关机的状态下，按照接线图连接线缆：RST线接主板的复位跳针（通常也标为Reset或Res），"
    "PWR线接主板的开机跳针（通常标为On/Off或PWR BTN），具体位置请参考主板说明书。\r\n"
    "\r\n"
    "4、接通电源，接线正确时电脑一般会自动开机；系统启动完成后，打开监控软件，"
    "状态栏显示“看门狗连接正常!”即表示连接成功。\r\n"
    "\r\n"
    "5、设置监控软件开机自动运行：部分版本会自动添加启动项；否则请通过Win+X菜单打开系统的"
    "“运行”对话框，输入shell:startup打开启动文件夹，将本软件的快捷方式放入该文件夹即可。\r\n"
    "\r\n"
    "6、其他设置项的说明，请点击对应的“?”按钮查看。\r\n"
    "\r\n"
    "重要提示:\r\n"
    "\r\n"
    "安装完成后，请点击“立刻重启”按钮，如果电脑重启，说明看门狗安装成功。"
    "如需测试看门狗，可以人为制造死机（例如超频），或者直接关闭监控软件，"
    "超过设定的死机后重启时间后，电脑就会自动重启。"
    "死机后重启时间应设置为大于系统的正常开机时间。\r\n"
    "\r\n";

// Where users of this edition get help; appended to the Chinese usage text.
const char* const kContactBlock =
    "Torvik 技术支持\r\n"
    "问题反馈：https://torvik.example.com/issues\r\n"
    "反馈问题时请附上程序所在文件夹中的 RunLog.txt\r\n"
    "程序的设置保存在同一文件夹的 config.inf 中\r\n"
    "\r\n";

}  // namespace torvik
