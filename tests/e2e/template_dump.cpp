// Prints a dialog template of the resource script (the main window, 102, by
// default) in the form the end-to-end tests compare with what the UI driver
// reads off the real window:
//
//   caption<TAB><caption>
//   <id><TAB><class><TAB><visible 0/1><TAB><enabled 0/1><TAB><text>
//   ...
//
// one control a line, in template order. Texts are UTF-8; a backslash, tab,
// carriage return or line feed inside a text is written \\, \t, \r, \n.
// Resource ordinals (the picture's bitmap) print as "#<number>".
//
// Usage: template_dump [dialog-id]
#include "DialogTemplate.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

std::string GbkToUtf8(const std::string& gbk) {
    if (gbk.empty()) return {};
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert GBK to UTF-8");
    std::string out(gbk.size() * 3 / 2 + 4, '\0');
    char* in = const_cast<char*>(gbk.data());
    std::size_t inLeft = gbk.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("text is not GBK");
    out.resize(out.size() - outLeft);
    return out;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [dialog-id]\n", argv[0]);
        return 2;
    }
    try {
        const int dialogId = argc == 2 ? std::atoi(argv[1]) : 102;
        const torvik::testing::DialogTemplate d = torvik::testing::LoadProjectDialog(dialogId);
        std::printf("caption\t%s\n", Escaped(GbkToUtf8(d.caption)).c_str());
        for (const torvik::testing::TemplateControl& c : d.controls) {
            std::printf("%d\t%s\t%d\t%d\t%s\n", c.id, c.windowClass.c_str(), c.visible() ? 1 : 0, c.enabled() ? 1 : 0,
                        Escaped(GbkToUtf8(c.text)).c_str());
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "template_dump: %s\n", e.what());
        return 1;
    }
}
