// The main window in memory, built control by control from the dialog template of
// the resource script. Events go through the window's own message map, and the
// controls behave like the real ones where the program depends on it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "app/DialogMessages.h"
#include "platform/DialogPort.h"

namespace torvik::testing {

struct FakeControl {
    TemplateControl source;
    std::string text;
    bool enabled = true;
    bool visible = true;
    int check = 0;
    int sliderMin = 0, sliderMax = 100, sliderPos = 0;
    int ticFrequency = 1, lineSize = 1, pageSize = 0;
    std::vector<std::string> items;  // list box lines or tab captions
    int selection = -1;
    Rect clientRect;  // pixels, relative to the client area
};

class FakeDialog : public DialogPort, public DialogHost {
public:
    // Pixel metrics of the fake's dialog font and frame.
    static constexpr int kBaseUnitX = 6, kBaseUnitY = 12;
    static constexpr int kFrame = 3, kCaption = 20;

    FakeDialog();

    // DialogHost: runs the window's initialisation; the "modal run" lasts until
    // EndDialog, which tests observe through ended().
    int RunModal(DialogHandler& handler) override;

    // What a user or the window system does.
    bool Click(int id);  // false (and nothing happens) for a disabled control
    void Timer(int timerId = 100);
    DialogReply SystemCommand(unsigned command);
    void Close();        // the close box
    void PressEnter();   // Enter in an edit: the OK command
    void PressEscape();  // the Cancel command
    DialogReply Paint();
    DialogReply QueryDragIcon();
    void TypeText(int id, const std::string& text) { SetItemText(id, text); }
    // A drag of the slider's thumb to `pos`: thumb-track, thumb-position and end-of-scroll.
    void DragSlider(int id, int pos);
    // A click on a list line (index -1: a click that leaves no current line).
    void PickListLine(int id, int index);
    // A click on a tab: selects it and notifies.
    void SelectTab(int id, int index);
    DialogReply Notify(int id, int code) { return Deliver({MessageKind::Notify, id, code, 0}); }

    FakeControl& control(int id);
    bool ended() const { return ended_; }
    int endResult() const { return endResult_; }
    const std::vector<std::string>& systemMenu() const { return systemMenu_; }
    std::vector<int> systemMenuCommands() const { return systemMenuCommands_; }
    int aboutBoxRuns() const { return aboutBoxRuns_; }
    const std::map<int, unsigned>& timers() const { return timers_; }
    IconHandle bigIcon() const { return bigIcon_; }
    IconHandle smallIcon() const { return smallIcon_; }
    bool hasSystemMenu = true;
    bool minimised = false;
    std::vector<Point> iconsPainted;
    std::map<int, std::string> strings;  // string resources

    // DialogPort
    std::string GetItemText(int id) override;
    void SetItemText(int id, const std::string& text) override;
    void EnableItem(int id, bool enable) override;
    bool IsItemEnabled(int id) override;
    void ShowItem(int id, bool show) override;
    bool IsItemVisible(int id) override;
    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    void SetSliderRangeMin(int id, int value, bool redraw) override;
    void SetSliderRangeMax(int id, int value, bool redraw) override;
    void SetSliderTicFrequency(int id, int frequency) override;
    void SetSliderLineSize(int id, int size) override;
    void SetSliderPageSize(int id, int size) override;
    int GetSliderPos(int id) override;
    void SetSliderPos(int id, int pos) override;
    void ResetList(int id) override;
    void AddListString(int id, const std::string& text) override;
    int GetListCount(int id) override;
    std::string GetListText(int id, int index) override;
    int GetListCurrent(int id) override { return control(id).selection; }
    void InsertTab(int id, int position, const std::string& text) override;
    int GetTabSelection(int id) override;
    void SetTabSelection(int id, int index) override { control(id).selection = index; }
    Rect GetItemScreenRect(int id) override;
    Rect GetWindowRect() override { return window_; }
    void SetWindowPos(int x, int y, int cx, int cy, unsigned flags) override;
    bool HasSystemMenu() override { return hasSystemMenu; }
    void AppendSystemMenuSeparator() override;
    void AppendSystemMenuItem(int command, const std::string& text) override;
    std::string LoadStringResource(int id) override;
    IconHandle LoadIconResource(int id) override { return static_cast<IconHandle>(0x1000 + id); }
    void SetIcon(IconHandle icon, bool big) override { (big ? bigIcon_ : smallIcon_) = icon; }
    void SetTimer(int timerId, unsigned periodMs) override { timers_[timerId] = periodMs; }
    bool IsMinimised() override { return minimised; }
    void PaintIcon(IconHandle icon, const IconPlacement& place) override;
    void RunAboutBox() override { ++aboutBoxRuns_; }
    void EndDialog(int result) override;

private:
    DialogReply Deliver(const DialogEvent& event);
    void SliderClamp(FakeControl& c);

    DialogHandler* handler_ = nullptr;
    std::map<int, FakeControl> controls_;
    Rect window_;
    bool ended_ = false;
    int endResult_ = 0;
    std::vector<std::string> systemMenu_;
    std::vector<int> systemMenuCommands_;
    int aboutBoxRuns_ = 0;
    std::map<int, unsigned> timers_;
    IconHandle bigIcon_ = 0, smallIcon_ = 0;
};

}  // namespace torvik::testing
