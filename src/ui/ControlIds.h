// Numbers of the main window's controls and resources, as the resource script
// declares them, and the notification codes the window handles.
#pragma once

namespace torvik {

namespace res {
constexpr int kAboutDialog = 100;
constexpr int kAboutMenuText = 101;
constexpr int kMainDialog = 102;
constexpr int kAppIcon = 130;
constexpr int kWiringBitmap = 131;
}  // namespace res

namespace ctl {
constexpr int kOk = 1;
constexpr int kCancel = 2;

constexpr int kStatusLine = 1009;
constexpr int kFind = 1012;
constexpr int kTimeoutCaption = 1013;
constexpr int kDaysCaption = 1014;
constexpr int kWebsiteCaption = 1015;
constexpr int kProgramCaption = 1016;
constexpr int kVideoCardCaption = 1017;
constexpr int kResetNow = 1018;
constexpr int kDeviceNumberCaption = 1019;
constexpr int kTimeoutLabel = 1020;
constexpr int kTimeoutSlider = 1021;
constexpr int kDisableWatchdog = 1022;
constexpr int kDaysLabel = 1023;
constexpr int kDaysSlider = 1024;
constexpr int kWebsiteEdit = 1025;
constexpr int kProgramEdit = 1026;
constexpr int kSave = 1027;
constexpr int kVideoCardCheck = 1028;
constexpr int kLog = 1029;
constexpr int kVideoCardList = 1030;
constexpr int kWebsiteTest = 1031;
constexpr int kProgramTest = 1032;
constexpr int kStatusPanel = 1033;
constexpr int kDeviceNumberEdit = 1034;
constexpr int kMakerLink = 1035;
constexpr int kSetDeviceNumber = 1036;
constexpr int kAddProgram = 1037;
constexpr int kShowTimeCaption = 1038;
constexpr int kProcessList = 1039;
constexpr int kClearLog = 1040;
constexpr int kShowTimeCheck = 1041;
constexpr int kDaysHelp = 1042;
constexpr int kTimeoutHelp = 1043;
constexpr int kWebsiteHelp = 1045;
constexpr int kHelpText = 1046;
constexpr int kProgramHelp = 1047;
constexpr int kVideoCardHelp = 1048;
constexpr int kDisplayHelp = 1049;
constexpr int kUsageHelp = 1050;
constexpr int kSoundCaption = 1051;
constexpr int kShowCardsCheck = 1052;
constexpr int kDisplayGroup = 1053;
constexpr int kShowCardsCaption = 1054;
constexpr int kSoundCheck = 1055;
constexpr int kTabs = 1057;
constexpr int kWiringPicture = 1058;
}  // namespace ctl

// Notification codes (same values as the window system's).
namespace notify {
constexpr int kButtonClicked = 0;       // BN_CLICKED
constexpr int kListSelChange = 1;       // LBN_SELCHANGE
constexpr int kEditChange = 0x0300;     // EN_CHANGE
constexpr int kOutOfMemory = -1;        // NM_OUTOFMEMORY
constexpr int kTabSelChange = -551;     // TCN_SELCHANGE
}  // namespace notify

// The window's place and height whenever the code moves or sizes it.
constexpr int kWindowLeft = 1;
constexpr int kWindowTop = 1;
constexpr int kWindowHeight = 500;

constexpr int kAboutCommand = 16;       // system-menu command of the about entry
constexpr int kTickTimerId = 100;
constexpr unsigned kTickPeriodMs = 500;

}  // namespace torvik
