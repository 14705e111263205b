#include "platform/win32/Win32Dialog.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Gbk.h"
#include "ui/ControlIds.h"

namespace torvik::win32 {
namespace {

// The about box needs no handler of its own: OK and Esc close it.
INT_PTR CALLBACK AboutProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::wstring WindowTextW(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, buffer.data(), length + 1);
    return std::wstring(buffer.data());
}

}  // namespace

int Win32Dialog::RunModal(DialogHandler& handler) {
    handler_ = &handler;
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), nullptr, &DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    handler_ = nullptr;
    hwnd_ = nullptr;
    return static_cast<int>(result);
}

INT_PTR CALLBACK Win32Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->handler_->OnInitDialog() ? TRUE : FALSE;
    }
    if (!self || !self->handler_) return FALSE;
    return self->HandleMessage(message, wParam, lParam);
}

INT_PTR Win32Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    DialogEvent event;
    switch (message) {
    case WM_SYSCOMMAND: event = {MessageKind::SysCommand, 0, 0, static_cast<std::uint32_t>(wParam)}; break;
    case WM_PAINT: event = {MessageKind::Paint, 0, 0, 0}; break;
    case WM_QUERYDRAGICON: event = {MessageKind::QueryDragIcon, 0, 0, 0}; break;
    case WM_CLOSE: event = {MessageKind::Close, 0, 0, 0}; break;
    case WM_TIMER: event = {MessageKind::Timer, 0, 0, static_cast<std::uint32_t>(wParam)}; break;
    case WM_COMMAND: event = {MessageKind::Command, LOWORD(wParam), HIWORD(wParam), 0}; break;
    case WM_HSCROLL:
        event = {MessageKind::HScroll, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam),
                 HIWORD(wParam)};
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        event = {MessageKind::Notify, static_cast<int>(header->idFrom), static_cast<int>(header->code), 0};
        break;
    }
    default: return FALSE;
    }
    const DialogReply reply = handler_->Dispatch(event);
    if (reply.handled) {
        if (message == WM_QUERYDRAGICON) return reply.result;
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reply.result);
        return TRUE;
    }
    // What the dialog framework does by default: OK and Cancel end the modal run.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd_, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::string Win32Dialog::GetItemText(int id) { return GbkFromWide(WindowTextW(Item(id))); }

void Win32Dialog::SetItemText(int id, const std::string& text) {
    SetDlgItemTextW(hwnd_, id, WideFromGbk(text).c_str());
}

void Win32Dialog::EnableItem(int id, bool enable) { EnableWindow(Item(id), enable ? TRUE : FALSE); }
bool Win32Dialog::IsItemEnabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
void Win32Dialog::ShowItem(int id, bool show) { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
bool Win32Dialog::IsItemVisible(int id) { return IsWindowVisible(Item(id)) != FALSE; }
int Win32Dialog::GetCheck(int id) { return static_cast<int>(SendItem(id, BM_GETCHECK, 0, 0)); }
void Win32Dialog::SetCheck(int id, int state) { SendItem(id, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

void Win32Dialog::SetSliderRangeMin(int id, int value, bool redraw) {
    SendItem(id, TBM_SETRANGEMIN, redraw, value);
}
void Win32Dialog::SetSliderRangeMax(int id, int value, bool redraw) {
    SendItem(id, TBM_SETRANGEMAX, redraw, value);
}
void Win32Dialog::SetSliderTicFrequency(int id, int frequency) { SendItem(id, TBM_SETTICFREQ, frequency, 0); }
void Win32Dialog::SetSliderLineSize(int id, int size) { SendItem(id, TBM_SETLINESIZE, 0, size); }
void Win32Dialog::SetSliderPageSize(int id, int size) { SendItem(id, TBM_SETPAGESIZE, 0, size); }
int Win32Dialog::GetSliderPos(int id) { return static_cast<int>(SendItem(id, TBM_GETPOS, 0, 0)); }
void Win32Dialog::SetSliderPos(int id, int pos) { SendItem(id, TBM_SETPOS, TRUE, pos); }

void Win32Dialog::ResetList(int id) { SendItem(id, LB_RESETCONTENT, 0, 0); }
void Win32Dialog::AddListString(int id, const std::string& text) {
    SendItem(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(text).c_str()));
}
int Win32Dialog::GetListCount(int id) { return static_cast<int>(SendItem(id, LB_GETCOUNT, 0, 0)); }
std::string Win32Dialog::GetListText(int id, int index) {
    const LRESULT length = SendItem(id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    SendItem(id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return GbkFromWide(buffer.data());
}

int Win32Dialog::GetListCurrent(int id) {
    const LRESULT current = SendItem(id, LB_GETCURSEL, 0, 0);
    return current == LB_ERR ? -1 : static_cast<int>(current);
}

void Win32Dialog::InsertTab(int id, int position, const std::string& text) {
    std::wstring wide = WideFromGbk(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    SendItem(id, TCM_INSERTITEMW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}
int Win32Dialog::GetTabSelection(int id) { return static_cast<int>(SendItem(id, TCM_GETCURSEL, 0, 0)); }
void Win32Dialog::SetTabSelection(int id, int index) { SendItem(id, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }

Rect Win32Dialog::GetItemScreenRect(int id) {
    RECT r{};
    ::GetWindowRect(Item(id), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

Rect Win32Dialog::GetWindowRect() {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Dialog::SetWindowPos(int x, int y, int cx, int cy, unsigned flags) {
    // No window to insert after: the move also brings the window to the top.
    ::SetWindowPos(hwnd_, nullptr, x, y, cx, cy, flags);
}

bool Win32Dialog::HasSystemMenu() { return GetSystemMenu(hwnd_, FALSE) != nullptr; }
void Win32Dialog::AppendSystemMenuSeparator() { AppendMenuW(GetSystemMenu(hwnd_, FALSE), MF_SEPARATOR, 0, nullptr); }
void Win32Dialog::AppendSystemMenuItem(int command, const std::string& text) {
    AppendMenuW(GetSystemMenu(hwnd_, FALSE), MF_STRING, static_cast<UINT_PTR>(command), WideFromGbk(text).c_str());
}

std::string Win32Dialog::LoadStringResource(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return GbkFromWide(std::wstring(text, static_cast<size_t>(length)));
}

IconHandle Win32Dialog::LoadIconResource(int id) {
    return reinterpret_cast<IconHandle>(LoadIconW(instance_, MAKEINTRESOURCEW(id)));
}

void Win32Dialog::SetIcon(IconHandle icon, bool big) {
    SendMessageW(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(icon));
}

void Win32Dialog::SetTimer(int timerId, unsigned periodMs) {
    ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

bool Win32Dialog::IsMinimised() { return IsIconic(hwnd_) != FALSE; }

void Win32Dialog::PaintIcon(IconHandle icon, const IconPlacement& place) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const Size iconSize{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Point at = place(Size{client.right - client.left, client.bottom - client.top}, iconSize);
    DrawIcon(dc, at.x, at.y, reinterpret_cast<HICON>(icon));
    EndPaint(hwnd_, &paint);
}

void Win32Dialog::RunAboutBox() {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(res::kAboutDialog), hwnd_, &AboutProc, 0);
}

void Win32Dialog::EndDialog(int result) { ::EndDialog(hwnd_, result); }

}  // namespace torvik::win32
