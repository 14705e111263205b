#include "FakeDialog.h"

#include <algorithm>
#include <stdexcept>

#include "ui/ControlIds.h"

namespace torvik::testing {
namespace {

constexpr std::uint32_t kListSorted = 0x0002;  // LBS_SORT
constexpr int kMenuSeparator = -1;

}  // namespace

FakeDialog::FakeDialog() {
    const DialogTemplate main = LoadProjectDialog(res::kMainDialog);
    for (const TemplateControl& t : main.controls) {
        if (t.id <= 0) continue;
        FakeControl c;
        c.source = t;
        c.text = t.text;
        c.enabled = t.enabled();
        c.visible = t.visible();
        c.clientRect = Rect{t.x * kBaseUnitX / 4, t.y * kBaseUnitY / 8, (t.x + t.cx) * kBaseUnitX / 4,
                            (t.y + t.cy) * kBaseUnitY / 8};
        controls_[t.id] = c;
    }
    // Created where the template says: at the top-left corner of the screen.
    window_ = Rect{main.x, main.y, main.x + main.cx * kBaseUnitX / 4 + 2 * kFrame,
                   main.y + main.cy * kBaseUnitY / 8 + kCaption + 2 * kFrame};
    strings[res::kAboutMenuText] = LoadProjectString(res::kAboutMenuText);
}

FakeControl& FakeDialog::control(int id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

int FakeDialog::RunModal(DialogHandler& handler) {
    handler_ = &handler;
    handler.OnInitDialog();
    return 0;
}

DialogReply FakeDialog::Deliver(const DialogEvent& event) {
    if (!handler_ || ended_) return {};
    return handler_->Dispatch(event);
}

bool FakeDialog::Click(int id) {
    FakeControl& c = control(id);
    if (!c.enabled) return false;  // a hidden button can still be clicked by message
    if (c.source.kind() == ControlKind::CheckBox) c.check = c.check ? 0 : 1;
    Deliver({MessageKind::Command, id, notify::kButtonClicked, 0});
    return true;
}

void FakeDialog::Timer(int timerId) {
    if (timers_.count(timerId)) Deliver({MessageKind::Timer, 0, 0, static_cast<std::uint32_t>(timerId)});
}

DialogReply FakeDialog::SystemCommand(unsigned command) {
    const DialogReply reply = Deliver({MessageKind::SysCommand, 0, 0, command});
    if (!reply.handled && (command & 0xFFF0u) == 0xF060u) Close();  // SC_CLOSE
    return reply;
}

void FakeDialog::Close() {
    if (!Deliver({MessageKind::Close, 0, 0, 0}).handled) PressEscape();
}

void FakeDialog::PressEnter() {
    if (!Deliver({MessageKind::Command, ctl::kOk, notify::kButtonClicked, 0}).handled) EndDialog(ctl::kOk);
}

void FakeDialog::PressEscape() {
    if (!Deliver({MessageKind::Command, ctl::kCancel, notify::kButtonClicked, 0}).handled) EndDialog(ctl::kCancel);
}

void FakeDialog::DragSlider(int id, int pos) {
    SetSliderPos(id, pos);
    const int thumbTrack = 5, thumbPosition = 4, endTrack = 8;
    for (int code : {thumbTrack, thumbPosition, endTrack})
        Deliver({MessageKind::HScroll, id, code, static_cast<std::uint32_t>(control(id).sliderPos)});
}

void FakeDialog::PickListLine(int id, int index) {
    control(id).selection = index;
    Deliver({MessageKind::Command, id, notify::kListSelChange, 0});
}

void FakeDialog::SelectTab(int id, int index) {
    control(id).selection = index;
    Deliver({MessageKind::Notify, id, notify::kTabSelChange, 0});
}

DialogReply FakeDialog::Paint() { return Deliver({MessageKind::Paint, 0, 0, 0}); }
DialogReply FakeDialog::QueryDragIcon() { return Deliver({MessageKind::QueryDragIcon, 0, 0, 0}); }

std::string FakeDialog::GetItemText(int id) { return control(id).text; }

void FakeDialog::SetItemText(int id, const std::string& text) {
    FakeControl& c = control(id);
    c.text = text;
    if (c.source.kind() == ControlKind::Edit) Deliver({MessageKind::Command, id, notify::kEditChange, 0});
}

void FakeDialog::EnableItem(int id, bool enable) { control(id).enabled = enable; }
bool FakeDialog::IsItemEnabled(int id) { return control(id).enabled; }
void FakeDialog::ShowItem(int id, bool show) { control(id).visible = show; }
bool FakeDialog::IsItemVisible(int id) { return control(id).visible; }
int FakeDialog::GetCheck(int id) { return control(id).check; }
void FakeDialog::SetCheck(int id, int state) { control(id).check = state; }

void FakeDialog::SliderClamp(FakeControl& c) {
    c.sliderPos = std::clamp(c.sliderPos, c.sliderMin, std::max(c.sliderMin, c.sliderMax));
}
void FakeDialog::SetSliderRangeMin(int id, int value, bool) {
    FakeControl& c = control(id);
    c.sliderMin = value;
    SliderClamp(c);
}
void FakeDialog::SetSliderRangeMax(int id, int value, bool) {
    FakeControl& c = control(id);
    c.sliderMax = value;
    SliderClamp(c);
}
void FakeDialog::SetSliderTicFrequency(int id, int frequency) { control(id).ticFrequency = frequency; }
void FakeDialog::SetSliderLineSize(int id, int size) { control(id).lineSize = size; }
void FakeDialog::SetSliderPageSize(int id, int size) { control(id).pageSize = size; }
int FakeDialog::GetSliderPos(int id) { return control(id).sliderPos; }
void FakeDialog::SetSliderPos(int id, int pos) {
    FakeControl& c = control(id);
    c.sliderPos = pos;
    SliderClamp(c);
}

void FakeDialog::ResetList(int id) {
    control(id).items.clear();
    control(id).selection = -1;
}
void FakeDialog::AddListString(int id, const std::string& text) {
    FakeControl& c = control(id);
    if (c.source.hasStyle(kListSorted))
        c.items.insert(std::upper_bound(c.items.begin(), c.items.end(), text), text);
    else
        c.items.push_back(text);
}
int FakeDialog::GetListCount(int id) { return static_cast<int>(control(id).items.size()); }
std::string FakeDialog::GetListText(int id, int index) {
    const FakeControl& c = control(id);
    return index >= 0 && index < static_cast<int>(c.items.size()) ? c.items[static_cast<size_t>(index)] : "";
}

void FakeDialog::InsertTab(int id, int position, const std::string& text) {
    FakeControl& c = control(id);
    position = std::clamp(position, 0, static_cast<int>(c.items.size()));
    c.items.insert(c.items.begin() + position, text);
    if (c.selection < 0) c.selection = 0;  // the first tab inserted becomes the selected one
}
int FakeDialog::GetTabSelection(int id) { return control(id).selection; }

Rect FakeDialog::GetItemScreenRect(int id) {
    const Rect& r = control(id).clientRect;
    const int x = window_.left + kFrame, y = window_.top + kFrame + kCaption;
    return Rect{x + r.left, y + r.top, x + r.right, y + r.bottom};
}

void FakeDialog::SetWindowPos(int x, int y, int cx, int cy, unsigned flags) {
    if (!(flags & kPosNoMove)) {
        const int w = window_.width(), h = window_.height();
        window_ = Rect{x, y, x + w, y + h};
    }
    if (!(flags & kPosNoSize)) {
        window_.right = window_.left + cx;
        window_.bottom = window_.top + cy;
    }
}

void FakeDialog::AppendSystemMenuSeparator() {
    systemMenu_.push_back("");
    systemMenuCommands_.push_back(kMenuSeparator);
}
void FakeDialog::AppendSystemMenuItem(int command, const std::string& text) {
    systemMenu_.push_back(text);
    systemMenuCommands_.push_back(command);
}

std::string FakeDialog::LoadStringResource(int id) {
    auto it = strings.find(id);
    return it == strings.end() ? "" : it->second;
}

void FakeDialog::PaintIcon(IconHandle, const IconPlacement& place) {
    const Size client{window_.width() - 2 * kFrame, window_.height() - 2 * kFrame - kCaption};
    iconsPainted.push_back(place(client, Size{32, 32}));
}

void FakeDialog::EndDialog(int result) {
    ended_ = true;
    endResult_ = result;
}

}  // namespace torvik::testing
