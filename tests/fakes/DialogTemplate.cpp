// Reader of the resource script's dialog templates and string table.
//
// It understands the dialect the script is written in, and says so when it
// meets anything else rather than guessing:
//   - comments (// and /* */) and preprocessor lines (#include, #pragma) are
//     skipped; the constants the script uses are known by name below;
//   - a dialog is "<id> DIALOGEX x, y, cx, cy" followed by STYLE, EXSTYLE,
//     CAPTION and FONT statements and a BEGIN ... END (or { }) block of
//     generic CONTROL statements;
//   - STRINGTABLE blocks hold "<id>[,] "text"" pairs.
// Texts are UTF-8 in the script and come out as GBK bytes, like every text of
// the program.
#include "DialogTemplate.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace torvik::testing {

namespace {

// Window, dialog and control style constants, values as in the Windows headers.
struct NamedValue {
    std::string_view name;
    std::uint32_t value;
};

constexpr NamedValue kStyleConstants[] = {
    // window styles
    {"WS_OVERLAPPED", 0x00000000u}, {"WS_POPUP", 0x80000000u}, {"WS_CHILD", 0x40000000u},
    {"WS_MINIMIZE", 0x20000000u}, {"WS_VISIBLE", 0x10000000u}, {"WS_DISABLED", 0x08000000u},
    {"WS_CLIPSIBLINGS", 0x04000000u}, {"WS_CLIPCHILDREN", 0x02000000u}, {"WS_MAXIMIZE", 0x01000000u},
    {"WS_CAPTION", 0x00C00000u}, {"WS_BORDER", 0x00800000u}, {"WS_DLGFRAME", 0x00400000u},
    {"WS_VSCROLL", 0x00200000u}, {"WS_HSCROLL", 0x00100000u}, {"WS_SYSMENU", 0x00080000u},
    {"WS_THICKFRAME", 0x00040000u}, {"WS_GROUP", 0x00020000u}, {"WS_TABSTOP", 0x00010000u},
    {"WS_MINIMIZEBOX", 0x00020000u}, {"WS_MAXIMIZEBOX", 0x00010000u},
    // extended window styles
    {"WS_EX_DLGMODALFRAME", 0x00000001u}, {"WS_EX_NOPARENTNOTIFY", 0x00000004u},
    {"WS_EX_TOPMOST", 0x00000008u}, {"WS_EX_ACCEPTFILES", 0x00000010u},
    {"WS_EX_TRANSPARENT", 0x00000020u}, {"WS_EX_TOOLWINDOW", 0x00000080u},
    {"WS_EX_WINDOWEDGE", 0x00000100u}, {"WS_EX_CLIENTEDGE", 0x00000200u},
    {"WS_EX_CONTEXTHELP", 0x00000400u}, {"WS_EX_RIGHT", 0x00001000u},
    {"WS_EX_CONTROLPARENT", 0x00010000u}, {"WS_EX_STATICEDGE", 0x00020000u},
    {"WS_EX_APPWINDOW", 0x00040000u},
    // dialog styles
    {"DS_ABSALIGN", 0x0001u}, {"DS_SYSMODAL", 0x0002u}, {"DS_3DLOOK", 0x0004u},
    {"DS_FIXEDSYS", 0x0008u}, {"DS_NOFAILCREATE", 0x0010u}, {"DS_LOCALEDIT", 0x0020u},
    {"DS_SETFONT", 0x0040u}, {"DS_MODALFRAME", 0x0080u}, {"DS_NOIDLEMSG", 0x0100u},
    {"DS_SETFOREGROUND", 0x0200u}, {"DS_CONTROL", 0x0400u}, {"DS_CENTER", 0x0800u},
    {"DS_CENTERMOUSE", 0x1000u}, {"DS_CONTEXTHELP", 0x2000u}, {"DS_SHELLFONT", 0x0048u},
    // static controls
    {"SS_LEFT", 0x0000u}, {"SS_CENTER", 0x0001u}, {"SS_RIGHT", 0x0002u}, {"SS_ICON", 0x0003u},
    {"SS_BLACKRECT", 0x0004u}, {"SS_GRAYRECT", 0x0005u}, {"SS_WHITERECT", 0x0006u},
    {"SS_BLACKFRAME", 0x0007u}, {"SS_GRAYFRAME", 0x0008u}, {"SS_WHITEFRAME", 0x0009u},
    {"SS_SIMPLE", 0x000Bu}, {"SS_LEFTNOWORDWRAP", 0x000Cu}, {"SS_BITMAP", 0x000Eu},
    {"SS_ETCHEDHORZ", 0x0010u}, {"SS_ETCHEDVERT", 0x0011u}, {"SS_ETCHEDFRAME", 0x0012u},
    {"SS_NOPREFIX", 0x0080u}, {"SS_NOTIFY", 0x0100u}, {"SS_CENTERIMAGE", 0x0200u},
    {"SS_RIGHTJUST", 0x0400u}, {"SS_REALSIZEIMAGE", 0x0800u}, {"SS_SUNKEN", 0x1000u},
    {"SS_ENDELLIPSIS", 0x4000u},
    // buttons
    {"BS_PUSHBUTTON", 0x0000u}, {"BS_DEFPUSHBUTTON", 0x0001u}, {"BS_CHECKBOX", 0x0002u},
    {"BS_AUTOCHECKBOX", 0x0003u}, {"BS_RADIOBUTTON", 0x0004u}, {"BS_3STATE", 0x0005u},
    {"BS_AUTO3STATE", 0x0006u}, {"BS_GROUPBOX", 0x0007u}, {"BS_AUTORADIOBUTTON", 0x0009u},
    {"BS_OWNERDRAW", 0x000Bu}, {"BS_LEFTTEXT", 0x0020u}, {"BS_ICON", 0x0040u},
    {"BS_BITMAP", 0x0080u}, {"BS_LEFT", 0x0100u}, {"BS_RIGHT", 0x0200u}, {"BS_CENTER", 0x0300u},
    {"BS_TOP", 0x0400u}, {"BS_BOTTOM", 0x0800u}, {"BS_VCENTER", 0x0C00u},
    {"BS_PUSHLIKE", 0x1000u}, {"BS_MULTILINE", 0x2000u}, {"BS_NOTIFY", 0x4000u},
    {"BS_FLAT", 0x8000u},
    // edits
    {"ES_LEFT", 0x0000u}, {"ES_CENTER", 0x0001u}, {"ES_RIGHT", 0x0002u}, {"ES_MULTILINE", 0x0004u},
    {"ES_UPPERCASE", 0x0008u}, {"ES_LOWERCASE", 0x0010u}, {"ES_PASSWORD", 0x0020u},
    {"ES_AUTOVSCROLL", 0x0040u}, {"ES_AUTOHSCROLL", 0x0080u}, {"ES_NOHIDESEL", 0x0100u},
    {"ES_OEMCONVERT", 0x0400u}, {"ES_READONLY", 0x0800u}, {"ES_WANTRETURN", 0x1000u},
    {"ES_NUMBER", 0x2000u},
    // list boxes
    {"LBS_NOTIFY", 0x0001u}, {"LBS_SORT", 0x0002u}, {"LBS_NOREDRAW", 0x0004u},
    {"LBS_MULTIPLESEL", 0x0008u}, {"LBS_OWNERDRAWFIXED", 0x0010u},
    {"LBS_OWNERDRAWVARIABLE", 0x0020u}, {"LBS_HASSTRINGS", 0x0040u},
    {"LBS_USETABSTOPS", 0x0080u}, {"LBS_NOINTEGRALHEIGHT", 0x0100u},
    {"LBS_MULTICOLUMN", 0x0200u}, {"LBS_WANTKEYBOARDINPUT", 0x0400u},
    {"LBS_EXTENDEDSEL", 0x0800u}, {"LBS_DISABLENOSCROLL", 0x1000u}, {"LBS_NODATA", 0x2000u},
    {"LBS_NOSEL", 0x4000u}, {"LBS_STANDARD", 0x00A00003u},
    // trackbars
    {"TBS_AUTOTICKS", 0x0001u}, {"TBS_VERT", 0x0002u}, {"TBS_HORZ", 0x0000u},
    {"TBS_TOP", 0x0004u}, {"TBS_BOTTOM", 0x0000u}, {"TBS_LEFT", 0x0004u}, {"TBS_RIGHT", 0x0000u},
    {"TBS_BOTH", 0x0008u}, {"TBS_NOTICKS", 0x0010u}, {"TBS_ENABLESELRANGE", 0x0020u},
    {"TBS_FIXEDLENGTH", 0x0040u}, {"TBS_NOTHUMB", 0x0080u}, {"TBS_TOOLTIPS", 0x0100u},
    // tab controls
    {"TCS_SCROLLOPPOSITE", 0x0001u}, {"TCS_BOTTOM", 0x0002u}, {"TCS_RIGHT", 0x0002u},
    {"TCS_MULTISELECT", 0x0004u}, {"TCS_FLATBUTTONS", 0x0008u}, {"TCS_FORCEICONLEFT", 0x0010u},
    {"TCS_FORCELABELLEFT", 0x0020u}, {"TCS_HOTTRACK", 0x0040u}, {"TCS_VERTICAL", 0x0080u},
    {"TCS_TABS", 0x0000u}, {"TCS_BUTTONS", 0x0100u}, {"TCS_SINGLELINE", 0x0000u},
    {"TCS_MULTILINE", 0x0200u}, {"TCS_RIGHTJUSTIFY", 0x0000u}, {"TCS_FIXEDWIDTH", 0x0400u},
    {"TCS_RAGGEDRIGHT", 0x0800u}, {"TCS_FOCUSONBUTTONDOWN", 0x1000u},
    {"TCS_OWNERDRAWFIXED", 0x2000u}, {"TCS_TOOLTIPS", 0x4000u}, {"TCS_FOCUSNEVER", 0x8000u},
};

// Symbolic control ids the script may use.
constexpr NamedValue kIdConstants[] = {
    {"IDC_STATIC", static_cast<std::uint32_t>(-1)}, {"IDOK", 1u}, {"IDCANCEL", 2u},
};

// Language and sub-language of LANGUAGE statements.
constexpr NamedValue kLanguageConstants[] = {
    {"LANG_NEUTRAL", 0x00u}, {"SUBLANG_NEUTRAL", 0x00u}, {"SUBLANG_DEFAULT", 0x01u},
    {"LANG_ENGLISH", 0x09u}, {"SUBLANG_ENGLISH_US", 0x01u},
    {"LANG_CHINESE", 0x04u}, {"SUBLANG_CHINESE_SIMPLIFIED", 0x02u},
};

// Memory flags that may follow a resource type; they mean nothing today.
constexpr std::string_view kMemoryFlags[] = {"MOVEABLE", "FIXED",      "PURE",       "IMPURE",
                                             "PRELOAD",  "LOADONCALL", "DISCARDABLE"};

constexpr std::uint32_t kControlDefaultStyle = style::kChild | style::kVisible;
constexpr std::uint32_t kDialogDefaultStyle = 0x80000000u /*WS_POPUP*/ | style::kBorder | 0x00080000u /*WS_SYSMENU*/;
constexpr std::uint32_t kCaptionStyle = 0x00C00000u;  // WS_CAPTION
constexpr std::uint32_t kSetFontStyle = 0x0040u;      // DS_SETFONT

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

const NamedValue* Lookup(const NamedValue* begin, const NamedValue* end, std::string_view name) {
    for (const NamedValue* it = begin; it != end; ++it) {
        if (it->name == name) return it;
    }
    return nullptr;
}

std::string Utf8ToGbk(const std::string& utf8) {
    if (utf8.empty()) return {};
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert UTF-8 to GBK");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    const int err = errno;
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text \"" + utf8 + "\" has no GBK form (" +
                                 (err == EILSEQ ? "not valid UTF-8 or no GBK character" : "truncated") + ")");
    }
    out.resize(out.size() - outLeft);
    return out;
}

// ---------------------------------------------------------------------------
// Tokens

struct Token {
    enum Kind { Number, Name, String, Punct, End } kind = End;
    std::string text;      // name, punctuation, or the decoded string (UTF-8)
    std::int64_t number = 0;
    int line = 0;
};

class Lexer {
public:
    explicit Lexer(const std::string& src) : src_(src) { Tokenize(); }
    const std::vector<Token>& tokens() const { return tokens_; }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("resource script line " + std::to_string(line_) + ": " + what);
    }

    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0'; }

    void Tokenize() {
        bool lineStart = true;
        while (pos_ < src_.size()) {
            const char c = src_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
                lineStart = true;
                continue;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
                continue;
            }
            if (c == '/' && Peek(1) == '/') {
                while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
                continue;
            }
            if (c == '/' && Peek(1) == '*') {
                pos_ += 2;
                while (pos_ < src_.size() && !(src_[pos_] == '*' && Peek(1) == '/')) {
                    if (src_[pos_] == '\n') ++line_;
                    ++pos_;
                }
                if (pos_ >= src_.size()) Fail("unterminated comment");
                pos_ += 2;
                continue;
            }
            if (c == '#' && lineStart) {  // preprocessor line
                while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
                continue;
            }
            lineStart = false;
            if (c == '"') {
                ReadString();
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                ReadNumber();
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t start = pos_;
                while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_') ++pos_;
                Push(Token::Name, src_.substr(start, pos_ - start));
            } else if (std::string_view(",|-(){}+").find(c) != std::string_view::npos) {
                Push(Token::Punct, std::string(1, c));
                ++pos_;
            } else {
                Fail(std::string("unexpected character '") + c + "'");
            }
        }
        Push(Token::End, "");
    }

    void ReadString() {
        ++pos_;  // opening quote
        std::string value;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == '\n') Fail("unterminated string");
            const char c = src_[pos_++];
            if (c == '"') {
                if (Peek() == '"') {  // "" stands for one quote
                    value += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == '\\') {
                if (pos_ >= src_.size()) Fail("unterminated string");
                const char e = src_[pos_++];
                switch (e) {
                    case 'n': value += '\n'; break;
                    case 'r': value += '\r'; break;
                    case 't': value += '\t'; break;
                    case 'a': value += '\b'; break;  // the script compiler's backspace
                    case '\\': value += '\\'; break;
                    case '"': value += '"'; break;
                    default: Fail(std::string("unknown escape \\") + e);
                }
                continue;
            }
            value += c;
        }
        Push(Token::String, std::move(value));
    }

    void ReadNumber() {
        std::size_t start = pos_;
        int base = 10;
        if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
            base = 16;
            pos_ += 2;
        }
        while (std::isxdigit(static_cast<unsigned char>(Peek()))) {
            if (base == 10 && !std::isdigit(static_cast<unsigned char>(Peek()))) break;
            ++pos_;
        }
        const std::string digits = src_.substr(start, pos_ - start);
        while (Peek() == 'L' || Peek() == 'l' || Peek() == 'U' || Peek() == 'u') ++pos_;  // 0x0L, 10U
        if (std::isalnum(static_cast<unsigned char>(Peek()))) Fail("malformed number " + digits);
        Token t;
        t.kind = Token::Number;
        t.text = digits;
        t.number = static_cast<std::int64_t>(std::stoull(digits, nullptr, base));
        t.line = line_;
        tokens_.push_back(std::move(t));
    }

    void Push(Token::Kind kind, std::string text) {
        Token t;
        t.kind = kind;
        t.text = std::move(text);
        t.line = line_;
        tokens_.push_back(std::move(t));
    }

    const std::string& src_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::vector<Token> tokens_;
};

// ---------------------------------------------------------------------------
// Parser over the token list

class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens) : t_(tokens) {}

    DialogTemplate Dialog(int dialogId) {
        if (!Seek([&](std::size_t i) {
                return t_[i].kind == Token::Number && t_[i].number == dialogId && IsName(t_[i + 1], "DIALOGEX");
            })) {
            throw std::runtime_error("resource script: no DIALOGEX " + std::to_string(dialogId));
        }
        DialogTemplate d;
        d.id = dialogId;
        pos_ += 2;
        SkipMemoryFlags();
        d.x = Integer();
        ExpectComma();
        d.y = Integer();
        ExpectComma();
        d.cx = Integer();
        ExpectComma();
        d.cy = Integer();
        if (IsPunct(Cur(), ",")) {  // optional help id
            ++pos_;
            Integer();
        }

        bool hasCaption = false, hasFont = false;
        std::uint32_t styleBits = kDialogDefaultStyle;
        while (!IsBlockOpen(Cur())) {
            const Token& st = Cur();
            if (IsName(st, "STYLE")) {
                ++pos_;
                styleBits = StyleExpression(0);
            } else if (IsName(st, "EXSTYLE")) {
                ++pos_;
                d.exStyle = StyleExpression(0);
            } else if (IsName(st, "CAPTION")) {
                ++pos_;
                d.caption = Utf8ToGbk(String());
                hasCaption = true;
            } else if (IsName(st, "FONT")) {
                ++pos_;
                d.fontPoints = Integer();
                ExpectComma();
                d.fontName = Utf8ToGbk(String());
                for (int extra = 0; extra < 3 && IsPunct(Cur(), ","); ++extra) {  // weight, italic, charset
                    ++pos_;
                    Integer();
                }
                hasFont = true;
            } else if (IsName(st, "LANGUAGE")) {
                ++pos_;
                Operand();
                ExpectComma();
                Operand();
            } else {
                Fail(st, "dialog statement the reader does not know: " + Describe(st));
            }
        }
        d.style = styleBits | (hasCaption ? kCaptionStyle : 0) | (hasFont ? kSetFontStyle : 0);

        ++pos_;  // BEGIN / {
        while (!IsBlockClose(Cur())) {
            if (!IsName(Cur(), "CONTROL")) Fail(Cur(), "only CONTROL statements are read, found " + Describe(Cur()));
            ++pos_;
            d.controls.push_back(Control());
        }
        ++pos_;
        return d;
    }

    // Every STRINGTABLE block is searched; the first entry with the id wins.
    std::string StringEntry(int stringId) {
        pos_ = 0;
        while (Seek([&](std::size_t i) { return IsName(t_[i], "STRINGTABLE"); })) {
            ++pos_;
            while (!IsBlockOpen(Cur())) {
                if (Cur().kind == Token::End) Fail(Cur(), "STRINGTABLE without BEGIN");
                ++pos_;  // memory flags, LANGUAGE and the like
            }
            ++pos_;
            while (!IsBlockClose(Cur())) {
                const int id = Integer();
                if (IsPunct(Cur(), ",")) ++pos_;
                std::string text = String();
                if (id == stringId) return Utf8ToGbk(text);
            }
            ++pos_;
        }
        return {};
    }

private:
    template <typename Pred>
    bool Seek(Pred matches) {
        for (; pos_ + 1 < t_.size(); ++pos_) {
            if (matches(pos_)) return true;
        }
        return false;
    }

    const Token& Cur() const { return t_[pos_ < t_.size() ? pos_ : t_.size() - 1]; }

    static bool IsName(const Token& t, std::string_view name) { return t.kind == Token::Name && t.text == name; }
    static bool IsPunct(const Token& t, std::string_view p) { return t.kind == Token::Punct && t.text == p; }
    static bool IsBlockOpen(const Token& t) { return IsName(t, "BEGIN") || IsPunct(t, "{"); }
    static bool IsBlockClose(const Token& t) { return IsName(t, "END") || IsPunct(t, "}"); }

    static std::string Describe(const Token& t) {
        switch (t.kind) {
            case Token::String: return "\"" + t.text + "\"";
            case Token::End: return "end of file";
            default: return "'" + t.text + "'";
        }
    }

    [[noreturn]] static void Fail(const Token& at, const std::string& what) {
        throw std::runtime_error("resource script line " + std::to_string(at.line) + ": " + what);
    }

    void SkipMemoryFlags() {
        for (;;) {
            bool skipped = false;
            for (std::string_view flag : kMemoryFlags) {
                if (IsName(Cur(), flag)) {
                    ++pos_;
                    skipped = true;
                }
            }
            if (!skipped) return;
        }
    }

    void ExpectComma() {
        if (!IsPunct(Cur(), ",")) Fail(Cur(), "expected ',' but found " + Describe(Cur()));
        ++pos_;
    }

    std::string String() {
        if (Cur().kind != Token::String) Fail(Cur(), "expected a quoted text but found " + Describe(Cur()));
        return t_[pos_++].text;
    }

    // A number, a known symbol or a parenthesised expression.
    std::int64_t Operand() {
        const Token& t = Cur();
        if (t.kind == Token::Number) {
            ++pos_;
            return t.number;
        }
        if (t.kind == Token::Name) {
            const NamedValue* v = Lookup(std::begin(kStyleConstants), std::end(kStyleConstants), t.text);
            if (v == nullptr) v = Lookup(std::begin(kIdConstants), std::end(kIdConstants), t.text);
            if (v == nullptr) v = Lookup(std::begin(kLanguageConstants), std::end(kLanguageConstants), t.text);
            if (v == nullptr) Fail(t, "unknown constant " + t.text);
            ++pos_;
            return static_cast<std::int32_t>(v->value);
        }
        if (IsPunct(t, "(")) {
            ++pos_;
            const std::int64_t v = Sum();
            if (!IsPunct(Cur(), ")")) Fail(Cur(), "expected ')' but found " + Describe(Cur()));
            ++pos_;
            return v;
        }
        if (IsPunct(t, "-")) {
            ++pos_;
            return -Operand();
        }
        Fail(t, "expected a number but found " + Describe(t));
    }

    // Operands joined by '|' and '+' (enough for coordinates and plain ids).
    std::int64_t Sum() {
        std::int64_t v = Operand();
        while (IsPunct(Cur(), "|") || IsPunct(Cur(), "+")) {
            const bool orBits = IsPunct(Cur(), "|");
            ++pos_;
            const std::int64_t rhs = Operand();
            v = orBits ? (v | rhs) : (v + rhs);
        }
        return v;
    }

    int Integer() { return static_cast<int>(Sum()); }

    // Style expression as the script compiler reads it: left to right from the
    // default bits, each term ORed in, or cleared when written "NOT term".
    std::uint32_t StyleExpression(std::uint32_t bits) {
        for (;;) {
            const bool clear = IsName(Cur(), "NOT");
            if (clear) ++pos_;
            const auto term = static_cast<std::uint32_t>(Operand());
            bits = clear ? (bits & ~term) : (bits | term);
            if (!IsPunct(Cur(), "|")) return bits;
            ++pos_;
        }
    }

    // CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
    TemplateControl Control() {
        TemplateControl c;
        if (Cur().kind == Token::Number) {  // resource ordinal, e.g. a bitmap or icon number
            c.text = "#" + std::to_string(t_[pos_++].number);
        } else {
            c.text = Utf8ToGbk(String());
        }
        ExpectComma();
        c.id = Integer();
        ExpectComma();
        c.windowClass = String();
        ExpectComma();
        c.style = StyleExpression(kControlDefaultStyle);
        ExpectComma();
        c.x = Integer();
        ExpectComma();
        c.y = Integer();
        ExpectComma();
        c.cx = Integer();
        ExpectComma();
        c.cy = Integer();
        if (IsPunct(Cur(), ",")) {
            ++pos_;
            c.exStyle = StyleExpression(0);
            if (IsPunct(Cur(), ",")) {
                ++pos_;
                Integer();
            }
        }
        return c;
    }

    const std::vector<Token>& t_;
    std::size_t pos_ = 0;
};

const std::string& ProjectScript() {
    static const std::string script = [] {
        std::ifstream in(TORVIK_RESOURCE_SCRIPT, std::ios::binary);
        if (!in) throw std::runtime_error(std::string("cannot read ") + TORVIK_RESOURCE_SCRIPT);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }();
    return script;
}

}  // namespace

ControlKind TemplateControl::kind() const {
    const std::uint32_t low = style & 0x1Fu;
    if (EqualsNoCase(windowClass, "Button")) {
        switch (style & 0x0Fu) {  // BS_TYPEMASK
            case 0x7: return ControlKind::GroupBox;
            case 0x2:
            case 0x3: return ControlKind::CheckBox;
            default: return ControlKind::Button;
        }
    }
    if (EqualsNoCase(windowClass, "Static")) return low == 0x0Eu ? ControlKind::Picture : ControlKind::Label;
    if (EqualsNoCase(windowClass, "Edit")) return ControlKind::Edit;
    if (EqualsNoCase(windowClass, "ListBox")) return ControlKind::ListBox;
    if (EqualsNoCase(windowClass, "msctls_trackbar32")) return ControlKind::Slider;
    if (EqualsNoCase(windowClass, "SysTabControl32")) return ControlKind::Tab;
    return ControlKind::Other;
}

const TemplateControl* DialogTemplate::find(int controlId) const {
    for (const TemplateControl& c : controls) {
        if (c.id == controlId) return &c;
    }
    return nullptr;
}

DialogTemplate ParseDialogTemplate(const std::string& scriptUtf8, int dialogId) {
    Lexer lexer(scriptUtf8);
    return Parser(lexer.tokens()).Dialog(dialogId);
}

DialogTemplate LoadProjectDialog(int dialogId) { return ParseDialogTemplate(ProjectScript(), dialogId); }

std::string LoadProjectString(int stringId) {
    Lexer lexer(ProjectScript());
    return Parser(lexer.tokens()).StringEntry(stringId);
}

}  // namespace torvik::testing
