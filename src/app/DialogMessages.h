// The messages the main window handles, in a form both the Win32 dialog host and
// the fake dialog deliver, so the message map itself is exercised by tests.
#pragma once

#include <cstdint>

namespace torvik {

enum class MessageKind {
    SysCommand,     // param: the command identifier
    Paint,
    QueryDragIcon,  // the reply's result is the icon
    Close,
    Timer,          // param: the timer identifier
    Command,        // controlId + notification code (BN_CLICKED, EN_CHANGE, LBN_SELCHANGE)
    HScroll,        // controlId: the slider that scrolled; code: the scroll request
    Notify,         // controlId + notification code (WM_NOTIFY)
};

struct DialogEvent {
    MessageKind kind = MessageKind::Command;
    int controlId = 0;
    int code = 0;
    std::uint32_t param = 0;
};

// `handled` false means the host runs the default processing of the message.
struct DialogReply {
    bool handled = false;
    std::intptr_t result = 0;
};
constexpr DialogReply kHandled{true, 0};
constexpr DialogReply kDefault{false, 0};

}  // namespace torvik

namespace torvik {

// What a modal dialog host drives: the window's initialisation and its messages.
class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    virtual bool OnInitDialog() = 0;
    virtual DialogReply Dispatch(const DialogEvent& event) = 0;
};

// Runs the main window modally until it ends; returns its result.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual int RunModal(DialogHandler& handler) = 0;
};

}  // namespace torvik
