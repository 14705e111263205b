// uidriver: reads and operates another process's dialog window through ordinary
// window messages, one action per invocation. The end-to-end tests run it under
// Wine next to Torvik.exe; README.md in this folder lists the commands.
//
// Every text crosses the process boundary as UTF-16 (the W messages) and leaves
// this program as UTF-8; an ANSI program's texts are converted from its own
// code page inside its own process, before they reach this one.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- output

// A failure ends the command: main prints the reason as one line on stderr and
// exits with 1. It is thrown, so that handles and memory in the target are
// released on the way out.
struct Failure {
  std::string reason;
};

[[noreturn]] void fail(const std::string& reason) { throw Failure{reason}; }

std::string utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

// stdout is in binary mode (see main), so "\n" stays "\n".
void out(const std::string& s) {
  fwrite(s.data(), 1, s.size(), stdout);
}

std::string hex(const void* p) {
  char b[32];
  snprintf(b, sizeof b, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
  return b;
}

std::string num(long long v) { return std::to_string(v); }

// One control per line in `list`: line breaks, tabs and the backslash itself are escaped.
std::string escaped(const std::string& s) {
  std::string r;
  for (char c : s) {
    switch (c) {
      case '\\': r += "\\\\"; break;
      case '\r': r += "\\r"; break;
      case '\n': r += "\\n"; break;
      case '\t': r += "\\t"; break;
      default: r += c;
    }
  }
  return r;
}

// ---------------------------------------------------------------- arguments

bool parse_int(const std::wstring& s, long long& v) {
  if (s.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  bool hexa = s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X');
  v = hexa ? static_cast<long long>(wcstoull(s.c_str() + 2, &end, 16)) : wcstoll(s.c_str(), &end, 10);
  return errno == 0 && end && *end == L'\0';
}

long long int_arg(const std::wstring& s, const char* what) {
  long long v = 0;
  if (!parse_int(s, v)) fail(std::string("bad ") + what + ": " + utf8(s));
  return v;
}

double seconds_arg(const std::wstring& s) {
  wchar_t* end = nullptr;
  double v = wcstod(s.c_str(), &end);
  if (s.empty() || !end || *end != L'\0' || v < 0) fail("bad seconds: " + utf8(s));
  return v;
}

// ---------------------------------------------------------------- talking to the target

// How long the program may take to answer (--timeout). The program answers only
// between handlers, and a handler may block for seconds (an HTTP probe, the
// device search), so this is generous; it only keeps a hung program from
// hanging the tests.
DWORD timeout_ms = 10000;

// A synchronous query that cannot hang this program.
LRESULT ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_BLOCK, timeout_ms, &result))
    fail("window " + hex(w) + " did not answer message " + num(msg) + " within " + num(timeout_ms) + " ms");
  return static_cast<LRESULT>(result);
}

std::wstring text_of(HWND w) {
  LRESULT n = ask(w, WM_GETTEXTLENGTH);
  if (n <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1, L'\0');
  LRESULT got = ask(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  if (got < 0) got = 0;
  return std::wstring(buf.data(), static_cast<size_t>(got) < buf.size() ? static_cast<size_t>(got) : buf.size() - 1);
}

std::wstring class_of(HWND w) {
  wchar_t b[256] = {};
  GetClassNameW(w, b, 256);
  return b;
}

bool is_class(HWND w, const wchar_t* name) { return _wcsicmp(class_of(w).c_str(), name) == 0; }

std::string rect_text(const RECT& r, const char* sep) {
  return num(r.left) + sep + num(r.top) + sep + num(r.right) + sep + num(r.bottom);
}

// ---------------------------------------------------------------- finding windows

struct Options {
  std::wstring caption = L"Torvik V9.00";
  HWND hwnd = nullptr;  // --hwnd: a window chosen by handle instead of caption
  bool force = false;   // --force: operate disabled controls too
};

// Top-level windows whose caption is exactly `caption`. Owner-less windows come
// first, so the main window wins over a message box or dialog that happens to
// carry the same title.
std::vector<HWND> windows_titled(const std::wstring& caption) {
  struct Search { const std::wstring* caption; std::vector<HWND> owned, unowned; } s{&caption, {}, {}};
  EnumWindows([](HWND w, LPARAM lp) -> BOOL {
    auto* s = reinterpret_cast<Search*>(lp);
    int n = GetWindowTextLengthW(w);
    if (n != static_cast<int>(s->caption->size())) return TRUE;
    std::vector<wchar_t> b(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(w, b.data(), n + 1);  // a top-level caption: no message is sent
    if (*s->caption == b.data()) (GetWindow(w, GW_OWNER) ? s->owned : s->unowned).push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&s));
  s.unowned.insert(s.unowned.end(), s.owned.begin(), s.owned.end());
  return s.unowned;
}

HWND find_top(const Options& o) {
  if (o.hwnd) return IsWindow(o.hwnd) ? o.hwnd : nullptr;
  auto all = windows_titled(o.caption);
  return all.empty() ? nullptr : all.front();
}

HWND need_top(const Options& o) {
  HWND w = find_top(o);
  if (!w) fail(o.hwnd ? "no window " + hex(o.hwnd) : "no window titled \"" + utf8(o.caption) + "\"");
  return w;
}

std::vector<HWND> children(HWND top) {
  std::vector<HWND> v;
  EnumChildWindows(top, [](HWND w, LPARAM lp) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&v));
  return v;
}

// A control by its dialog identifier (the first in EnumChildWindows order), or
// the window itself for "top".
HWND need_control(HWND top, const std::wstring& id_text) {
  if (id_text == L"top") return top;
  long long id = int_arg(id_text, "control id");
  for (HWND c : children(top))
    if (GetDlgCtrlID(c) == id) return c;
  fail("no control " + utf8(id_text) + " in window " + hex(top));
}

// What a user could not operate: a disabled control, or one inside a disabled
// window (a modal box of the program disables its owner while it is open).
void refuse_if_disabled(HWND top, HWND c, const Options& o) {
  if (o.force) return;
  if (!IsWindowEnabled(c)) fail("disabled: control " + num(GetDlgCtrlID(c)));
  for (HWND p = GetParent(c); p; p = GetParent(p)) {
    if (!IsWindowEnabled(p)) fail("disabled: window " + hex(p) + " is disabled (a modal box is open?)");
    if (p == top) break;
  }
}

// ---------------------------------------------------------------- actions and their outcome
//
// An action is a message that makes the program run a handler: a button's
// BN_CLICKED, EN_CHANGE, WM_HSCROLL, LBN_SELCHANGE, TCN_SELCHANGE. A handler may
// open a modal box (a message box, the about box) and then not return until a
// user closes it. A plain SendMessage would hang this program there. PostMessage
// would return before the handler had even run, so the next query (a sent
// message, which the program serves before its posted ones) could still read
// the old state; and messages that carry a pointer (WM_SETTEXT) cannot be
// posted, nor sent with SendMessageCallback, to another process at all.
// So the message is sent with a plain SendMessage from a helper thread, and the
// main thread waits for whichever comes first:
//   - the send returns (the handler has finished; all it changed is visible),
//   - a new captioned window of the program's thread appears (a modal box is
//     open; the handler goes on inside it and finishes when the box closes), or
//   - --timeout seconds pass (the handler is still busy).
// In the last two cases the helper thread is still blocked in SendMessage; the
// process simply exits under it, and the program's reply goes nowhere.
// The outcome is printed as "done", "opened HWND CAPTION" or "pending".

struct Target {
  HWND top = nullptr;
  DWORD thread = 0;
  DWORD process = 0;
  std::vector<HWND> shown;  // the thread's visible top-level windows before the action
};

std::vector<HWND> visible_windows_of(DWORD thread) {
  std::vector<HWND> v;
  EnumThreadWindows(thread, [](HWND w, LPARAM lp) -> BOOL {
    LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    if (IsWindowVisible(w) && (style & WS_CAPTION) == WS_CAPTION)
      reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&v));
  return v;
}

Target target_of(HWND top) {
  Target t;
  t.top = top;
  t.thread = GetWindowThreadProcessId(top, &t.process);
  t.shown = visible_windows_of(t.thread);
  return t;
}

HWND newly_opened(const Target& t) {
  for (HWND w : visible_windows_of(t.thread)) {
    bool known = false;
    for (HWND k : t.shown) known = known || k == w;
    if (!known) return w;
  }
  return nullptr;
}

enum class Outcome { Done, Opened, Pending };

struct Result {
  Outcome outcome = Outcome::Done;
  HWND opened = nullptr;
};

struct Send {
  HWND to;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

DWORD WINAPI send_blocking(void* p) {
  const Send* s = static_cast<const Send*>(p);
  SendMessageW(s->to, s->msg, s->wp, s->lp);
  return 0;
}

Result deliver(const Target& t, HWND to, UINT msg, WPARAM wp, LPARAM lp) {
  // Owned by the helper thread for as long as it may run, which can be longer than this call.
  auto* send = new Send{to, msg, wp, lp};
  HANDLE helper = CreateThread(nullptr, 0, send_blocking, send, 0, nullptr);
  if (!helper) fail("cannot start a thread to send message " + num(msg));
  ULONGLONG deadline = GetTickCount64() + timeout_ms;
  Result r;
  for (;;) {
    if (WaitForSingleObject(helper, 10) == WAIT_OBJECT_0) {
      delete send;
      r = {};
      break;
    }
    if (HWND w = newly_opened(t)) { r = {Outcome::Opened, w}; break; }
    if (GetTickCount64() >= deadline) { r = {Outcome::Pending, nullptr}; break; }
  }
  CloseHandle(helper);
  return r;
}

// Posted messages (keys, system commands) give no reply, and the program serves
// sent messages before its posted ones, so a query sent right after a post can
// overtake it. So after posting, WM_NULL is sent a few times, one after the
// other: each is answered only when the program is back in its message loop,
// between two posted messages, so the last answer comes after the posted
// messages ahead of it have been handled. A modal box opened meanwhile answers
// too (its loop serves sent messages); deliver() and the last look tell it apart.
Result settle_after_post(const Target& t, int posted) {
  for (int round = 0; round < posted + 2; ++round) {
    if (!IsWindow(t.top)) return {};
    Result r = deliver(t, t.top, WM_NULL, 0, 0);
    if (r.outcome != Outcome::Done) return r;
  }
  if (HWND w = newly_opened(t)) return {Outcome::Opened, w};
  return {};
}

void report(const Result& r) {
  switch (r.outcome) {
    case Outcome::Done: out("done\n"); break;
    case Outcome::Pending: out("pending\n"); break;
    case Outcome::Opened: out("opened " + hex(r.opened) + " " + utf8(text_of(r.opened)) + "\n"); break;
  }
}

// ---------------------------------------------------------------- the target process

class Process {
 public:
  Process(DWORD pid, DWORD access) : pid_(pid) {
    handle_ = OpenProcess(access, FALSE, pid);
    if (!handle_) fail("cannot open process " + num(pid) + " (error " + num(GetLastError()) + ")");
    BOOL wow = FALSE;
    if (IsWow64Process(handle_, &wow) && wow) fail("the target is a 32-bit process; this driver reads 64-bit ones");
  }
  ~Process() { CloseHandle(handle_); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  HANDLE handle() const { return handle_; }
  DWORD pid() const { return pid_; }

  // Set when a thread started in the target did not finish: it may still use the
  // memory and the image this program put there, so those are left in place.
  void mark_thread_running() const { thread_running_ = true; }
  bool thread_running() const { return thread_running_; }

 private:
  HANDLE handle_ = nullptr;
  DWORD pid_;
  mutable bool thread_running_ = false;
};

// A block of memory inside the target process, freed on every way out.
class RemoteBlock {
 public:
  RemoteBlock(const Process& process, size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process_.handle(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) fail("cannot allocate memory in process " + num(process.pid()));
  }
  ~RemoteBlock() {
    if (!process_.thread_running()) VirtualFreeEx(process_.handle(), address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void write(size_t offset, const void* data, size_t n) const {
    SIZE_T done = 0;
    if (offset + n > size_ || !WriteProcessMemory(process_.handle(), at(offset), data, n, &done) || done != n)
      fail("cannot write the target's memory");
  }
  void read(size_t offset, void* data, size_t n) const {
    SIZE_T done = 0;
    if (offset + n > size_ || !ReadProcessMemory(process_.handle(), at(offset), data, n, &done) || done != n)
      fail("cannot read the target's memory");
  }

 private:
  const Process& process_;
  void* address_ = nullptr;
  size_t size_;
};

constexpr DWORD kMemoryAccess =
    PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION;

// ---------------------------------------------------------------- control state

std::string state_of(HWND c) {
  if (is_class(c, WC_BUTTONW)) return "check=" + num(ask(c, BM_GETCHECK));
  if (is_class(c, TRACKBAR_CLASSW))
    return "pos=" + num(ask(c, TBM_GETPOS)) + " min=" + num(ask(c, TBM_GETRANGEMIN)) + " max=" + num(ask(c, TBM_GETRANGEMAX));
  if (is_class(c, WC_LISTBOXW)) {
    long long count = ask(c, LB_GETCOUNT);
    LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
    std::string sel;
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
      for (long long i = 0; i < count; ++i)
        if (ask(c, LB_GETSEL, static_cast<WPARAM>(i)) > 0) sel += (sel.empty() ? "" : ",") + num(i);
      if (sel.empty()) sel = "-1";
    } else {
      sel = num(ask(c, LB_GETCURSEL));
    }
    return "count=" + num(count) + " sel=" + sel;
  }
  if (is_class(c, WC_TABCONTROLW)) return "cur=" + num(ask(c, TCM_GETCURSEL)) + " count=" + num(ask(c, TCM_GETITEMCOUNT));
  if (is_class(c, WC_COMBOBOXW)) return "count=" + num(ask(c, CB_GETCOUNT)) + " sel=" + num(ask(c, CB_GETCURSEL));
  return "-";
}

bool is_multiple_selection(HWND list) {
  return (GetWindowLongPtrW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

std::vector<std::wstring> tab_texts(HWND tabs) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tabs, &pid);
  constexpr size_t kChars = 512;
  constexpr size_t kTextAt = (sizeof(TCITEMW) + 15) / 16 * 16;
  Process process(pid, kMemoryAccess);
  RemoteBlock block(process, kTextAt + kChars * sizeof(wchar_t));
  std::vector<std::wstring> texts;
  long long count = ask(tabs, TCM_GETITEMCOUNT);
  for (long long i = 0; i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(block.at(kTextAt));
    item.cchTextMax = static_cast<int>(kChars);
    wchar_t empty = L'\0';
    block.write(kTextAt, &empty, sizeof empty);
    block.write(0, &item, sizeof item);
    if (!ask(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.at(0))))
      fail("tab " + num(i) + " cannot be read");
    // TCM_GETITEM is allowed to point pszText at the control's own copy instead of filling the buffer.
    block.read(0, &item, sizeof item);
    if (item.pszText != reinterpret_cast<wchar_t*>(block.at(kTextAt))) fail("tab " + num(i) + ": text not copied");
    std::vector<wchar_t> text(kChars + 1, L'\0');
    block.read(kTextAt, text.data(), kChars * sizeof(wchar_t));
    texts.emplace_back(text.data());
  }
  return texts;
}

// ---------------------------------------------------------------- commands

void need_args(const std::vector<std::wstring>& a, size_t n, const char* usage) {
  if (a.size() != n) fail(std::string("usage: uidriver [options] ") + usage);
}

std::string window_line(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return hex(w) + " " + rect_text(r, " ") + " " + num(IsWindowVisible(w) ? 1 : 0) + " " + num(IsWindowEnabled(w) ? 1 : 0) + "\n";
}

int cmd_find(const Options& o) {
  if (o.hwnd) { out(window_line(need_top(o))); return 0; }
  auto all = windows_titled(o.caption);
  if (all.empty()) need_top(o);
  for (HWND w : all) out(window_line(w));
  return 0;
}

int cmd_wait(const Options& o, double seconds, bool gone) {
  ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    bool present = find_top(o) != nullptr;
    if (present != gone) return 0;
    if (GetTickCount64() >= deadline)
      fail(std::string(gone ? "still there" : "not there") + " after " + num(static_cast<long long>(seconds * 1000)) +
           " ms: " + (o.hwnd ? hex(o.hwnd) : "\"" + utf8(o.caption) + "\""));
    Sleep(100);
  }
}

int cmd_window(const Options& o) {
  HWND w = need_top(o);
  RECT r{}, c{};
  GetWindowRect(w, &r);
  GetClientRect(w, &c);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  out("hwnd " + hex(w) + "\n");
  out("pid " + num(pid) + "\n");
  out("rect " + rect_text(r, " ") + "\n");
  out("client " + num(c.right - c.left) + " " + num(c.bottom - c.top) + "\n");
  out("visible " + num(IsWindowVisible(w) ? 1 : 0) + "\n");
  out("enabled " + num(IsWindowEnabled(w) ? 1 : 0) + "\n");
  out("iconic " + num(IsIconic(w) ? 1 : 0) + "\n");
  out("caption " + escaped(utf8(text_of(w))) + "\n");
  return 0;
}

int cmd_list(const Options& o) {
  HWND top = need_top(o);
  std::string all;
  for (HWND c : children(top)) {
    RECT r{};
    GetWindowRect(c, &r);
    all += num(GetDlgCtrlID(c)) + "\t" + utf8(class_of(c)) + "\t" + num(IsWindowVisible(c) ? 1 : 0) + "\t" +
           num(IsWindowEnabled(c) ? 1 : 0) + "\t" + rect_text(r, ",") + "\t" + state_of(c) + "\t" +
           escaped(utf8(text_of(c))) + "\n";
  }
  out(all);
  return 0;
}

int cmd_text(const Options& o, const std::wstring& id) {
  out(utf8(text_of(need_control(need_top(o), id))));
  return 0;
}

int cmd_click(const Options& o, const std::wstring& id) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  refuse_if_disabled(top, c, o);
  Target t = target_of(top);
  report(deliver(t, c, BM_CLICK, 0, 0));
  return 0;
}

int cmd_settext(const Options& o, const std::wstring& id, const std::wstring& text) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  refuse_if_disabled(top, c, o);
  Target t = target_of(top);
  // The system copies the text into the target as it delivers the message (a program's
  // edit control gets it converted to its own code page), and raises EN_CHANGE there.
  report(deliver(t, c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
  return 0;
}

int cmd_slider(const Options& o, const std::wstring& id, long long pos) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  if (!is_class(c, TRACKBAR_CLASSW)) fail("control " + utf8(id) + " is not a trackbar");
  refuse_if_disabled(top, c, o);
  Target t = target_of(top);
  ask(c, TBM_SETPOS, TRUE, static_cast<LPARAM>(pos));
  // What a drag reports is where the thumb ended up, after the control's own clamping.
  WORD at = static_cast<WORD>(ask(c, TBM_GETPOS));
  UINT scroll = (GetWindowLongPtrW(c, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  HWND parent = GetParent(c);
  LPARAM from = reinterpret_cast<LPARAM>(c);
  // A drag ends with the thumb's last position and then TB_ENDTRACK, whose position word is zero.
  const WPARAM drag[] = {MAKEWPARAM(TB_THUMBTRACK, at), MAKEWPARAM(TB_THUMBPOSITION, at), MAKEWPARAM(TB_ENDTRACK, 0)};
  Result r;
  for (WPARAM step : drag) {
    r = deliver(t, parent, scroll, step, from);
    if (r.outcome != Outcome::Done) break;  // a box opened, or the program is busy: the drag stops here
  }
  report(r);
  return 0;
}

int cmd_pick(const Options& o, const std::wstring& id, long long index) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  if (!is_class(c, WC_LISTBOXW)) fail("control " + utf8(id) + " is not a list box");
  refuse_if_disabled(top, c, o);
  long long count = ask(c, LB_GETCOUNT);
  if (index < -1 || index >= count) fail("index " + num(index) + " out of range (count " + num(count) + ")");
  Target t = target_of(top);
  if (is_multiple_selection(c)) {
    ask(c, LB_SETSEL, FALSE, -1);
    if (index >= 0) ask(c, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  } else {
    ask(c, LB_SETCURSEL, static_cast<WPARAM>(index));
  }
  if (index >= 0) ask(c, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  report(deliver(t, GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), LBN_SELCHANGE), reinterpret_cast<LPARAM>(c)));
  return 0;
}

int cmd_items(const Options& o, const std::wstring& id) {
  HWND c = need_control(need_top(o), id);
  if (!is_class(c, WC_LISTBOXW)) fail("control " + utf8(id) + " is not a list box");
  std::string all;
  long long count = ask(c, LB_GETCOUNT);
  for (long long i = 0; i < count; ++i) {
    LRESULT n = ask(c, LB_GETTEXTLEN, static_cast<WPARAM>(i));
    if (n < 0) fail("item " + num(i) + " cannot be read");
    std::vector<wchar_t> b(static_cast<size_t>(n) + 1, L'\0');
    ask(c, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(b.data()));
    all += utf8(b.data()) + "\n";
  }
  out(all);
  return 0;
}

int cmd_tab(const Options& o, const std::wstring& id, long long index) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  if (!is_class(c, WC_TABCONTROLW)) fail("control " + utf8(id) + " is not a tab control");
  refuse_if_disabled(top, c, o);
  long long count = ask(c, TCM_GETITEMCOUNT);
  if (index < 0 || index >= count) fail("tab " + num(index) + " out of range (count " + num(count) + ")");
  Target t = target_of(top);
  // TCM_SETCURFOCUS notifies the parent with TCN_SELCHANGING/TCN_SELCHANGE; TCM_SETCURSEL would not.
  report(deliver(t, c, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0));
  return 0;
}

int cmd_tabs(const Options& o, const std::wstring& id) {
  HWND c = need_control(need_top(o), id);
  if (!is_class(c, WC_TABCONTROLW)) fail("control " + utf8(id) + " is not a tab control");
  std::string all;
  for (const auto& t : tab_texts(c)) all += utf8(t) + "\n";
  out(all);
  return 0;
}

int cmd_syscommand(const Options& o, long long command) {
  HWND top = need_top(o);
  Target t = target_of(top);
  if (!PostMessageW(top, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0)) fail("cannot post WM_SYSCOMMAND");
  report(settle_after_post(t, 1));
  return 0;
}

struct Key { const wchar_t* name; WORD vk; };
constexpr Key kKeys[] = {
    {L"enter", VK_RETURN}, {L"escape", VK_ESCAPE}, {L"tab", VK_TAB}, {L"space", VK_SPACE},
    {L"up", VK_UP}, {L"down", VK_DOWN}, {L"left", VK_LEFT}, {L"right", VK_RIGHT},
};

int cmd_key(const Options& o, const std::wstring& id, const std::wstring& name) {
  HWND top = need_top(o);
  HWND c = need_control(top, id);
  refuse_if_disabled(top, c, o);
  const Key* key = nullptr;
  for (const Key& k : kKeys)
    if (_wcsicmp(k.name, name.c_str()) == 0) key = &k;
  if (!key) fail("unknown key " + utf8(name) + " (enter, escape, tab, space, up, down, left, right)");
  Target t = target_of(top);
  // Keys are posted, not sent: only a queued key passes through the program's
  // dialog loop, whose IsDialogMessage turns Enter/Escape/Tab into IDOK, IDCANCEL
  // and a focus move, exactly as for a typed key.
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key->vk, MAPVK_VK_TO_VSC)) << 16;
  if (!PostMessageW(c, WM_KEYDOWN, key->vk, 1 | scan) ||
      !PostMessageW(c, WM_KEYUP, key->vk, 1 | scan | (1LL << 30) | (1LL << 31)))
    fail("cannot post the key");
  report(settle_after_post(t, 2));
  return 0;
}

int cmd_close(const Options& o) {
  HWND top = need_top(o);
  if (!PostMessageW(top, WM_CLOSE, 0, 0)) fail("cannot post WM_CLOSE");
  out("done\n");
  return 0;
}

// The system menu belongs to the target process: under Wine, GetSystemMenu on
// another process's window returns nothing, so the menu is read from inside the
// target. This executable maps itself into the target with LoadLibraryW, a
// thread created there runs probe_system_menu on a block of the target's
// memory, and FreeLibrary unmaps the image again.
//
// An EXE mapped that way gets its relocations applied, but neither its entry
// point (the C runtime start-up) nor, under Wine, its imports. So
// probe_system_menu touches nothing but its argument, which also carries the
// addresses of the three user32 functions it calls, as loaded in the target.
// It is written so that the compiler has no reason to call anything else
// (no zeroing of structures, which could become a call to memset).

constexpr int kMenuItems = 64;
constexpr int kMenuText = 128;

struct MenuProbe {
  HWND window;
  decltype(&GetSystemMenu) get_system_menu;
  decltype(&GetMenuItemCount) get_menu_item_count;
  decltype(&GetMenuItemInfoW) get_menu_item_info;
  int status;  // 0: all read; 1: the window has no system menu; 2: an item could not be read
  int count;
  struct Item {
    UINT id;
    UINT type;
    WCHAR text[kMenuText];
  } items[kMenuItems];
};

DWORD WINAPI probe_system_menu(void* param) {
  MenuProbe* p = static_cast<MenuProbe*>(param);
  p->status = 1;
  p->count = 0;
  HMENU menu = p->get_system_menu(p->window, FALSE);
  int n = menu ? p->get_menu_item_count(menu) : -1;
  if (n < 0) return p->status;
  p->status = 2;
  if (n > kMenuItems) n = kMenuItems;
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW info;
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = p->items[i].text;
    info.cch = kMenuText;
    p->items[i].text[0] = L'\0';
    if (!p->get_menu_item_info(menu, static_cast<UINT>(i), TRUE, &info)) return p->status;
    p->items[i].id = info.wID;
    p->items[i].type = info.fType;
    p->count = i + 1;
  }
  p->status = 0;
  return p->status;
}

std::wstring module_path(HMODULE m) {
  wchar_t b[MAX_PATH * 2] = {};
  GetModuleFileNameW(m, b, MAX_PATH * 2);
  return b;
}

// Where a module of this process is loaded in the target, found by its file path.
char* remote_base(DWORD pid, HMODULE local) {
  std::wstring path = module_path(local);
  HANDLE snapshot = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 5 && snapshot == INVALID_HANDLE_VALUE; ++attempt) {
    snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);  // ERROR_BAD_LENGTH: the list was changing
    if (snapshot == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (snapshot == INVALID_HANDLE_VALUE) fail("cannot list the modules of process " + num(pid));
  char* base = nullptr;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot, &entry); more && !base; more = Module32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExePath, path.c_str()) == 0) base = reinterpret_cast<char*>(entry.modBaseAddr);
  CloseHandle(snapshot);
  return base;
}

// The address in the target of a function of this process: the same offset into the same module.
template <typename F>
F* remote_function(DWORD pid, F* local) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(local), &module))
    fail("cannot tell which module holds a function");
  char* base = remote_base(pid, module);
  if (!base) fail(utf8(module_path(module)) + " is not loaded in process " + num(pid));
  ptrdiff_t offset = reinterpret_cast<char*>(local) - reinterpret_cast<char*>(module);
  return reinterpret_cast<F*>(base + offset);
}

// Runs `start(argument)` on a new thread of the target and returns its exit code.
// Every function started this way takes one pointer-sized argument and returns
// a value that fits the thread's exit code (LoadLibraryW's is checked only for zero).
template <typename F>
DWORD run_remote(const Process& process, F* start, void* argument) {
  auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(start));
  HANDLE thread = CreateRemoteThread(process.handle(), nullptr, 0, routine, argument, 0, nullptr);
  if (!thread) fail("cannot start a thread in process " + num(process.pid()) + " (error " + num(GetLastError()) + ")");
  DWORD code = 0;
  bool finished = WaitForSingleObject(thread, timeout_ms) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  if (!finished) {
    process.mark_thread_running();
    fail("a thread in process " + num(process.pid()) + " did not finish");
  }
  return code;
}

// This executable's image, mapped into the target for as long as the object lives.
class InjectedSelf {
 public:
  explicit InjectedSelf(const Process& process) : process_(process) {
    std::wstring path = module_path(GetModuleHandleW(nullptr));
    RemoteBlock name(process, (path.size() + 1) * sizeof(wchar_t));
    name.write(0, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    if (!run_remote(process, remote_function(process.pid(), &LoadLibraryW), name.at(0)))
      fail("cannot load " + utf8(path) + " into process " + num(process.pid()));
  }
  ~InjectedSelf() {
    if (process_.thread_running()) return;
    try {
      if (char* base = remote_base(process_.pid(), GetModuleHandleW(nullptr)))
        run_remote(process_, remote_function(process_.pid(), &FreeLibrary), base);
    } catch (const Failure&) {
      // Left mapped: harmless to the target, and the command's own outcome matters more.
    }
  }
  InjectedSelf(const InjectedSelf&) = delete;
  InjectedSelf& operator=(const InjectedSelf&) = delete;

 private:
  const Process& process_;
};

int cmd_menu(const Options& o) {
  HWND top = need_top(o);
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  Process process(pid, kMemoryAccess | PROCESS_CREATE_THREAD | SYNCHRONIZE);

  MenuProbe probe{};
  probe.window = top;
  probe.get_system_menu = remote_function(pid, &GetSystemMenu);
  probe.get_menu_item_count = remote_function(pid, &GetMenuItemCount);
  probe.get_menu_item_info = remote_function(pid, &GetMenuItemInfoW);
  RemoteBlock block(process, sizeof probe);
  block.write(0, &probe, sizeof probe);
  {
    InjectedSelf self(process);
    run_remote(process, remote_function(pid, &probe_system_menu), block.at(0));
  }
  block.read(0, &probe, sizeof probe);

  if (probe.status == 1) fail("window " + hex(top) + " has no system menu");
  if (probe.status != 0) fail("item " + num(probe.count) + " of the system menu of " + hex(top) + " cannot be read");
  std::string all;
  for (int i = 0; i < probe.count; ++i) {
    const MenuProbe::Item& item = probe.items[i];
    if (item.type & MFT_SEPARATOR) all += "sep\n";
    else all += num(item.id) + "\t" + escaped(utf8(item.text)) + "\n";
  }
  out(all);
  return 0;
}

const char* kUsage =
    "usage: uidriver [--caption TEXT | --hwnd HEX] [--timeout SECONDS] [--force] COMMAND [ARGS]\n"
    "commands: find | wait SECONDS | wait-gone SECONDS | window | list | text ID | click ID |\n"
    "          settext ID TEXT | slider ID POS | pick ID INDEX | items ID | tab ID INDEX | tabs ID |\n"
    "          syscommand N | key ID enter|escape|tab|space|up|down|left|right | close | menu\n";

int run(std::vector<std::wstring> a) {
  Options o;
  size_t i = 0;
  for (; i < a.size() && a[i].rfind(L"--", 0) == 0; ++i) {
    const std::wstring& opt = a[i];
    if (opt == L"--force") { o.force = true; continue; }
    if (i + 1 >= a.size()) fail("option " + utf8(opt) + " needs a value");
    const std::wstring& v = a[++i];
    if (opt == L"--caption") o.caption = v;
    else if (opt == L"--hwnd") o.hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(int_arg(v, "window handle")));
    else if (opt == L"--timeout") timeout_ms = static_cast<DWORD>(seconds_arg(v) * 1000);
    else fail("unknown option " + utf8(opt));
  }
  if (i >= a.size()) {
    fwrite(kUsage, 1, strlen(kUsage), stderr);
    return 1;
  }
  const std::wstring cmd = a[i];
  std::vector<std::wstring> args(a.begin() + static_cast<long>(i) + 1, a.end());

  if (cmd == L"find") { need_args(args, 0, "find"); return cmd_find(o); }
  if (cmd == L"wait") { need_args(args, 1, "wait SECONDS"); return cmd_wait(o, seconds_arg(args[0]), false); }
  if (cmd == L"wait-gone") { need_args(args, 1, "wait-gone SECONDS"); return cmd_wait(o, seconds_arg(args[0]), true); }
  if (cmd == L"window") { need_args(args, 0, "window"); return cmd_window(o); }
  if (cmd == L"list") { need_args(args, 0, "list"); return cmd_list(o); }
  if (cmd == L"text") { need_args(args, 1, "text ID"); return cmd_text(o, args[0]); }
  if (cmd == L"click") { need_args(args, 1, "click ID"); return cmd_click(o, args[0]); }
  if (cmd == L"settext") { need_args(args, 2, "settext ID TEXT"); return cmd_settext(o, args[0], args[1]); }
  if (cmd == L"slider") { need_args(args, 2, "slider ID POS"); return cmd_slider(o, args[0], int_arg(args[1], "position")); }
  if (cmd == L"pick") { need_args(args, 2, "pick ID INDEX"); return cmd_pick(o, args[0], int_arg(args[1], "index")); }
  if (cmd == L"items") { need_args(args, 1, "items ID"); return cmd_items(o, args[0]); }
  if (cmd == L"tab") { need_args(args, 2, "tab ID INDEX"); return cmd_tab(o, args[0], int_arg(args[1], "index")); }
  if (cmd == L"tabs") { need_args(args, 1, "tabs ID"); return cmd_tabs(o, args[0]); }
  if (cmd == L"syscommand") { need_args(args, 1, "syscommand N"); return cmd_syscommand(o, int_arg(args[0], "command")); }
  if (cmd == L"key") { need_args(args, 2, "key ID KEY"); return cmd_key(o, args[0], args[1]); }
  if (cmd == L"close") { need_args(args, 0, "close"); return cmd_close(o); }
  if (cmd == L"menu") { need_args(args, 0, "menu"); return cmd_menu(o); }
  fail("unknown command " + utf8(cmd));
}

}  // namespace

int main() {
  // Binary mode: lines end with "\n" alone, and UTF-8 bytes pass through untouched.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int rc = 1;
  try {
    int argc = 0;
    // The C runtime's argv is in the ANSI code page; the wide command line keeps Chinese captions intact.
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) fail("cannot read the command line");
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    rc = run(args);
  } catch (const Failure& f) {
    fflush(stdout);
    std::string line = "uidriver: " + f.reason + "\n";
    fwrite(line.data(), 1, line.size(), stderr);
  }
  fflush(stdout);
  fflush(stderr);
  return rc;
}
