// boardsim: a virtual watchdog board on a pseudo-terminal, for use as a COM port (under Wine,
// link dosdevices/comN to the --link path). Prints one line per command, frame or event the
// board sees; see Usage() for the options.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "boardsim/BoardModel.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

constexpr int kTickMs = 50;

void Usage(FILE* out) {
  std::fputs(
      "usage: boardsim [options]\n"
      "  --link PATH               symlink PATH to the pseudo-terminal's slave (replaced if it is a link)\n"
      "  --version N               firmware version code, decimal (default 900)\n"
      "  --reset-count N           reset count the query reports (default 0)\n"
      "  --count-resets            add one to the reported count on every reset of the PC\n"
      "  --power-on-timeout S      count down S seconds from power-on before any feed (default: none)\n"
      "  --mode M                  normal|silent|late|short|long|wrong (default normal)\n"
      "  --late-ms N               reply delay in late mode (default 300)\n"
      "  --unplug-after S          pull the cable S seconds after start (pty closed, link removed)\n"
      "  --replug-after S          put it back S seconds after pulling it (new pty, link again)\n"
      "  --log FILE                append the record lines to FILE\n"
      "  --quiet                   print nothing on stdout\n"
      "Lines: <ms since start> <kind> <hex bytes> <description>\n",
      out);
}

bool ParseLong(const char* text, long min, long max, long* value) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || v < min || v > max) return false;
  *value = v;
  return true;
}

bool ParseSeconds(const char* text, double* value) {
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(text, &end);
  if (errno != 0 || end == text || *end != '\0' || !std::isfinite(v) || v < 0) return false;
  *value = v;
  return true;
}

struct Settings {
  boardsim::BoardOptions board;
  std::string link;
  std::string log;
  bool quiet = false;
  std::optional<double> unplugAfter;
  std::optional<double> replugAfter;
};

bool ParseArgs(int argc, char** argv, Settings* s) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* v = (i + 1 < argc) ? argv[i + 1] : nullptr;
    long n = 0;
    double seconds = 0;
    bool ok = true;  // the option's value, if it takes one, is valid
    bool takesValue = true;
    if (arg == "--help" || arg == "-h") {
      Usage(stdout);
      std::exit(0);
    } else if (arg == "--quiet") {
      s->quiet = true;
      takesValue = false;
    } else if (arg == "--count-resets") {
      s->board.countResets = true;
      takesValue = false;
    } else if (v == nullptr) {
      ok = false;
    } else if (arg == "--link") {
      s->link = v;
    } else if (arg == "--log") {
      s->log = v;
    } else if (arg == "--version") {
      ok = ParseLong(v, 0, 65535, &n);
      s->board.version = static_cast<uint16_t>(n);
    } else if (arg == "--reset-count") {
      ok = ParseLong(v, 0, 255, &n);
      s->board.resetCount = static_cast<uint8_t>(n);
    } else if (arg == "--power-on-timeout") {
      ok = ParseLong(v, 0, 1000000, &n);
      s->board.powerOnTimeoutSeconds = static_cast<int>(n);
    } else if (arg == "--late-ms") {
      ok = ParseLong(v, 0, 3600000, &n);
      s->board.lateMs = n;
    } else if (arg == "--mode") {
      ok = boardsim::ParseBoardMode(v, &s->board.mode);
    } else if (arg == "--unplug-after") {
      ok = ParseSeconds(v, &seconds);
      s->unplugAfter = seconds;
    } else if (arg == "--replug-after") {
      ok = ParseSeconds(v, &seconds);
      s->replugAfter = seconds;
    } else {
      std::fprintf(stderr, "boardsim: unknown option %s\n", arg.c_str());
      Usage(stderr);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "boardsim: %s needs a valid value\n", arg.c_str());
      return false;
    }
    if (takesValue) ++i;
  }
  if (s->replugAfter && !s->unplugAfter) {
    std::fprintf(stderr, "boardsim: --replug-after needs --unplug-after\n");
    return false;
  }
  return true;
}

// The pseudo-terminal of one plugged-in period. We keep the slave open ourselves so that the
// master sees no hang-up while the host closes and reopens the port.
struct Pty {
  int master = -1;
  int slave = -1;
  std::string slavePath;
  std::vector<uint8_t> unsent;  // reply bytes the slave's input queue had no room for yet
};

void ClosePty(Pty* pty) {
  if (pty->master >= 0) close(pty->master);
  if (pty->slave >= 0) close(pty->slave);
  *pty = Pty();
}

bool OpenPty(Pty* pty) {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) {
    std::perror("boardsim: posix_openpt");
    return false;
  }
  const char* name = nullptr;
  if (grantpt(master) != 0 || unlockpt(master) != 0 || (name = ptsname(master)) == nullptr) {
    std::perror("boardsim: grantpt/unlockpt/ptsname");
    close(master);
    return false;
  }
  pty->master = master;
  pty->slavePath = name;
  pty->slave = open(name, O_RDWR | O_NOCTTY);
  if (pty->slave < 0) {
    std::perror("boardsim: open slave");
    ClosePty(pty);
    return false;
  }
  termios tio{};
  if (tcgetattr(pty->slave, &tio) == 0) {
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(pty->slave, TCSANOW, &tio);
  }
  int flags = fcntl(master, F_GETFL);
  if (flags >= 0) fcntl(master, F_SETFL, flags | O_NONBLOCK);
  return true;
}

bool MakeParentDirs(const std::string& path) {
  for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
    std::string dir = path.substr(0, pos);
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool RemoveLink(const std::string& link) {
  struct stat st {};
  if (lstat(link.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISLNK(st.st_mode)) {
    std::fprintf(stderr, "boardsim: %s exists and is not a symbolic link; not touching it\n",
                 link.c_str());
    return false;
  }
  return unlink(link.c_str()) == 0 || errno == ENOENT;
}

bool MakeLink(const std::string& link, const std::string& target) {
  if (!MakeParentDirs(link) || !RemoveLink(link)) return false;
  if (symlink(target.c_str(), link.c_str()) != 0) {
    std::fprintf(stderr, "boardsim: symlink %s -> %s: %s\n", link.c_str(), target.c_str(),
                 std::strerror(errno));
    return false;
  }
  return true;
}

// Brings the board's port up: a new pty and, if asked, the link to it.
bool Attach(const Settings& s, Pty* pty) {
  if (!OpenPty(pty)) return false;
  if (!s.link.empty() && !MakeLink(s.link, pty->slavePath)) {
    ClosePty(pty);
    return false;
  }
  if (!s.quiet) {
    std::fprintf(stderr, "boardsim: port %s%s%s (version %u, mode %s)\n", pty->slavePath.c_str(),
                 s.link.empty() ? "" : " linked at ", s.link.c_str(), s.board.version,
                 boardsim::BoardModeName(s.board.mode));
  }
  return true;
}

void Detach(const Settings& s, Pty* pty) {
  if (!s.link.empty()) RemoveLink(s.link);
  ClosePty(pty);
}

void FlushReplies(Pty* pty) {
  while (!pty->unsent.empty()) {
    ssize_t n = write(pty->master, pty->unsent.data(), pty->unsent.size());
    if (n > 0) {
      pty->unsent.erase(pty->unsent.begin(), pty->unsent.begin() + n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return;  // full (EAGAIN) or failing: try again on the next turn
  }
}

}  // namespace

int main(int argc, char** argv) {
  Settings s;
  if (!ParseArgs(argc, argv, &s)) return 2;

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);  // no SA_RESTART: poll returns at once
  sigaction(SIGINT, &sa, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  FILE* log = nullptr;
  if (!s.log.empty()) {
    log = std::fopen(s.log.c_str(), "a");
    if (log == nullptr) {
      std::fprintf(stderr, "boardsim: cannot open %s: %s\n", s.log.c_str(), std::strerror(errno));
      return 1;
    }
  }

  const auto start = std::chrono::steady_clock::now();
  auto nowMs = [start] {
    return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count());
  };

  boardsim::BoardModel board(s.board, 0);
  Pty pty;
  if (!Attach(s, &pty)) {
    if (log) std::fclose(log);
    return 1;
  }

  constexpr int64_t kNever = -1;
  int64_t unplugAt = s.unplugAfter ? std::llround(*s.unplugAfter * 1000) : kNever;
  int64_t replugAt = kNever;

  auto emit = [&] {
    for (const auto& record : board.records()) {
      std::string line = boardsim::FormatRecord(record) + "\n";
      if (!s.quiet) {
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
      }
      if (log) {
        std::fputs(line.c_str(), log);
        std::fflush(log);
      }
    }
    board.ClearRecords();
  };

  int status = 0;
  while (!g_stop) {
    int64_t now = nowMs();
    if (unplugAt != kNever && now >= unplugAt) {
      unplugAt = kNever;
      board.Unplug(now);
      Detach(s, &pty);
      if (s.replugAfter) replugAt = now + std::llround(*s.replugAfter * 1000);
    }
    if (replugAt != kNever && now >= replugAt) {
      replugAt = kNever;
      if (!Attach(s, &pty)) {
        status = 1;
        break;
      }
      board.PlugIn(now);
    }

    int timeout = kTickMs;
    if (auto next = board.NextReplyAt(now)) {
      timeout = static_cast<int>(std::max<int64_t>(0, std::min<int64_t>(timeout, *next - now)));
    }
    if (pty.master >= 0) {
      pollfd pfd{pty.master, POLLIN, 0};
      int ready = poll(&pfd, 1, timeout);
      if (ready > 0 && (pfd.revents & POLLIN)) {
        uint8_t buf[256];
        ssize_t n = read(pty.master, buf, sizeof buf);
        if (n > 0) {
          board.ReceiveSerial(buf, static_cast<size_t>(n), nowMs());
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
          usleep(kTickMs * 1000);  // EIO with no slave open: wait for the host to come back
        }
      } else if (ready > 0) {
        usleep(kTickMs * 1000);  // hang-up or error without data: do not spin
      }
    } else {
      poll(nullptr, 0, timeout);
    }

    now = nowMs();
    board.AdvanceTo(now);
    if (pty.master >= 0) {
      std::vector<uint8_t> reply = board.TakeReply(now, 4096);
      pty.unsent.insert(pty.unsent.end(), reply.begin(), reply.end());
      FlushReplies(&pty);
    }
    emit();
  }

  emit();
  Detach(s, &pty);
  if (log) std::fclose(log);
  return status;
}
