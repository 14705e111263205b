// The main window as the behaviour sees it: its controls by number, its geometry,
// its system menu, icons and timer. The Win32 dialog host implements it over a
// real window; tests use a fake built from the same dialog template.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Geometry.h"

namespace torvik {

using IconHandle = std::uintptr_t;

// Where to draw the icon of a minimised window, given its client size and the
// system icon size.
using IconPlacement = std::function<Point(Size client, Size icon)>;

class DialogPort {
public:
    virtual ~DialogPort() = default;

    // Texts are GBK byte strings; the implementation converts at the boundary.
    virtual std::string GetItemText(int id) = 0;
    virtual void SetItemText(int id, const std::string& text) = 0;
    virtual void EnableItem(int id, bool enable) = 0;
    virtual bool IsItemEnabled(int id) = 0;
    virtual void ShowItem(int id, bool show) = 0;
    virtual bool IsItemVisible(int id) = 0;

    // Check boxes: 0 unchecked, 1 checked, 2 indeterminate.
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int state) = 0;

    // Trackbars.
    virtual void SetSliderRangeMin(int id, int value, bool redraw) = 0;
    virtual void SetSliderRangeMax(int id, int value, bool redraw) = 0;
    virtual void SetSliderTicFrequency(int id, int frequency) = 0;
    virtual void SetSliderLineSize(int id, int size) = 0;
    virtual void SetSliderPageSize(int id, int size) = 0;
    virtual int GetSliderPos(int id) = 0;
    virtual void SetSliderPos(int id, int pos) = 0;

    // List boxes.
    virtual void ResetList(int id) = 0;
    virtual void AddListString(int id, const std::string& text) = 0;
    virtual int GetListCount(int id) = 0;
    virtual std::string GetListText(int id, int index) = 0;
    // The current line (in a multiple-selection list, the one with the focus); -1 for none.
    virtual int GetListCurrent(int id) = 0;

    // Tab controls.
    virtual void InsertTab(int id, int position, const std::string& text) = 0;
    virtual int GetTabSelection(int id) = 0;
    // Selects a tab without the change notification.
    virtual void SetTabSelection(int id, int index) = 0;

    // Geometry, in screen pixels.
    virtual Rect GetItemScreenRect(int id) = 0;
    virtual Rect GetWindowRect() = 0;
    virtual void SetWindowPos(int x, int y, int cx, int cy, unsigned flags) = 0;

    // The window's system menu; false when the window has none.
    virtual bool HasSystemMenu() = 0;
    virtual void AppendSystemMenuSeparator() = 0;
    virtual void AppendSystemMenuItem(int command, const std::string& text) = 0;

    virtual std::string LoadStringResource(int id) = 0;
    virtual IconHandle LoadIconResource(int id) = 0;
    virtual void SetIcon(IconHandle icon, bool big) = 0;
    virtual void SetTimer(int timerId, unsigned periodMs) = 0;

    virtual bool IsMinimised() = 0;
    // Paints the minimised window: erases the icon background and draws the icon
    // where `place` says.
    virtual void PaintIcon(IconHandle icon, const IconPlacement& place) = 0;

    // Runs the about box modally; returns when it closes.
    virtual void RunAboutBox() = 0;
    // Ends the modal run of the main window with the given result.
    virtual void EndDialog(int result) = 0;
};

constexpr int kCheckedState = 1;  // what a checked box reports

// A box counts as checked only when it reports exactly the checked state.
inline bool IsChecked(DialogPort& dialog, int id) { return dialog.GetCheck(id) == kCheckedState; }

}  // namespace torvik
