// The dialog host: runs a dialog template modally and delivers its messages to a
// DialogHandler; implements the window's port over the real window.
#pragma once

#include <windows.h>

#include "app/DialogMessages.h"
#include "platform/DialogPort.h"

namespace torvik::win32 {

class Win32Dialog : public DialogPort, public DialogHost {
public:
    Win32Dialog(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}

    int RunModal(DialogHandler& handler) override;
    HWND hwnd() const { return hwnd_; }

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
    int GetListCurrent(int id) override;
    void InsertTab(int id, int position, const std::string& text) override;
    int GetTabSelection(int id) override;
    void SetTabSelection(int id, int index) override;
    Rect GetItemScreenRect(int id) override;
    Rect GetWindowRect() override;
    void SetWindowPos(int x, int y, int cx, int cy, unsigned flags) override;
    bool HasSystemMenu() override;
    void AppendSystemMenuSeparator() override;
    void AppendSystemMenuItem(int command, const std::string& text) override;
    std::string LoadStringResource(int id) override;
    IconHandle LoadIconResource(int id) override;
    void SetIcon(IconHandle icon, bool big) override;
    void SetTimer(int timerId, unsigned periodMs) override;
    bool IsMinimised() override;
    void PaintIcon(IconHandle icon, const IconPlacement& place) override;
    void RunAboutBox() override;
    void EndDialog(int result) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    LRESULT SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendDlgItemMessageW(hwnd_, id, message, wParam, lParam);
    }

    HINSTANCE instance_;
    int templateId_;
    HWND hwnd_ = nullptr;
    DialogHandler* handler_ = nullptr;
};

}  // namespace torvik::win32
