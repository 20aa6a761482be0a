// key_to_pixels: the end-to-end cost of a key in any editor on an X display, from the key
// press sent through XTEST to the first pixels the editor changes in the X server's
// framebuffer (an XDamage notice on its window). It starts the editor, waits for its
// window, gives every editor the same size, places the caret with a few keys, then presses
// the key again and again, each time once the window has been still for a while, and
// prints the median, p90, mean and range of the samples.
//
//   key_to_pixels [--key=Return] [--setup=ctrl+End] [--repeat=50] [--warmup=5]
//                 [--geometry=1000x800] [--quiet-ms=250] [--title=TEXT] [--label=NAME] [--verbose=1]
//                 [--ignore=WxH+X+Y,...]
//                 -- EDITOR [ARGUMENTS...]
//
// The window is the editor's top-level window whose _NET_WM_PID is the started process,
// or, with --title, the first whose name contains TEXT (for editors that hand the file to
// another process). Damage narrower than 4 or lower than 8 pixels (a blinking caret, a
// busy indicator) is not the answer to a key and is not counted: any change of text
// covers at least a character cell. Nor is damage of exactly a rectangle given with
// --ignore: a control that animates by itself (verbose runs name what kept a window busy).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Options {
  std::string key = "Return";
  std::string setup = "ctrl+End";
  int repeat = 50;
  int warmup = 5;
  int width = 1000, height = 800;
  int quietMs = 250;
  std::vector<std::string> ignored;  // damage rectangles as "WxH+X+Y"
  std::string title;
  std::string label;
  bool verbose = false;
  std::vector<std::string> command;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "key_to_pixels: %s\n", message.c_str());
  std::exit(1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    const std::size_t eq = arg.find('=');
    if (arg.rfind("--", 0) != 0 || eq == std::string::npos) Fail("unknown argument " + arg);
    const std::string name = arg.substr(2, eq - 2), value = arg.substr(eq + 1);
    if (name == "key") o.key = value;
    else if (name == "setup") o.setup = value;
    else if (name == "repeat") o.repeat = std::stoi(value);
    else if (name == "warmup") o.warmup = std::stoi(value);
    else if (name == "quiet-ms") o.quietMs = std::stoi(value);
    else if (name == "title") o.title = value;
    else if (name == "label") o.label = value;
    else if (name == "ignore") o.ignored = Split(value, ',');
    else if (name == "verbose") o.verbose = value != "0";
    else if (name != "geometry" || std::sscanf(value.c_str(), "%dx%d", &o.width, &o.height) != 2)
      Fail("unknown option --" + name);
  }
  for (; i < argc; ++i) o.command.emplace_back(argv[i]);
  if (o.command.empty()) Fail("usage: key_to_pixels [options] -- EDITOR [ARGUMENTS...]");
  if (o.label.empty()) o.label = o.command.front();
  return o;
}

// ---- The display ----

class Display_ {
 public:
  Display_() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) Fail("cannot open the display (is DISPLAY set?)");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) Fail("the display has no XTEST");
    if (!XDamageQueryExtension(display_, &damageEvent_, &error)) Fail("the display has no DAMAGE");
    XDamageQueryVersion(display_, &major, &minor);
    root_ = DefaultRootWindow(display_);
  }
  ~Display_() { XCloseDisplay(display_); }
  ::Display* operator*() const { return display_; }
  Window Root() const { return root_; }
  int DamageEvent() const { return damageEvent_; }

  std::optional<unsigned long> CardinalProperty(Window window, const char* name) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display_, name, False);
    if (XGetWindowProperty(display_, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) != Success || data == nullptr)
      return std::nullopt;
    std::optional<unsigned long> value;
    if (count == 1 && format == 32) value = *reinterpret_cast<unsigned long*>(data);
    XFree(data);
    return value;
  }

  std::string Name(Window window) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display_, "_NET_WM_NAME", False);
    std::string name;
    if (XGetWindowProperty(display_, window, atom, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success && data != nullptr) {
      name.assign(reinterpret_cast<char*>(data), count);
      XFree(data);
    }
    if (name.empty()) {
      char* fetched = nullptr;
      if (XFetchName(display_, window, &fetched) && fetched != nullptr) {
        name = fetched;
        XFree(fetched);
      }
    }
    return name;
  }

  // The managed top-level windows, as the window manager lists them.
  std::vector<Window> ClientWindows() const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display_, "_NET_CLIENT_LIST", False);
    std::vector<Window> windows;
    if (XGetWindowProperty(display_, root_, atom, 0, 4096, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success && data != nullptr) {
      const auto* ids = reinterpret_cast<Window*>(data);
      windows.assign(ids, ids + count);
      XFree(data);
    }
    return windows;
  }

  // Presses (and releases) a combination such as "ctrl+shift+End" or "a".
  void Press(const std::string& combination) const {
    std::vector<KeyCode> codes;
    for (const std::string& part : Split(combination, '+')) {
      std::string name = part;
      if (name == "ctrl") name = "Control_L";
      if (name == "shift") name = "Shift_L";
      if (name == "alt") name = "Alt_L";
      const KeySym sym = XStringToKeysym(name.c_str());
      const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
      if (code == 0) Fail("no key for " + part);
      codes.push_back(code);
    }
    for (KeyCode code : codes) XTestFakeKeyEvent(display_, code, True, CurrentTime);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) XTestFakeKeyEvent(display_, *it, False, CurrentTime);
    XFlush(display_);
  }

 private:
  ::Display* display_ = nullptr;
  Window root_ = None;
  int damageEvent_ = 0;
};

// ---- The editor's process and window ----

pid_t Start(const std::vector<std::string>& command) {
  const pid_t pid = fork();
  if (pid < 0) Fail("fork failed");
  if (pid == 0) {
    setpgid(0, 0);
    std::vector<char*> args;
    for (const std::string& a : command) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::perror(args[0]);
    _exit(127);
  }
  setpgid(pid, pid);
  return pid;
}

void Stop(pid_t pid) {
  kill(-pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(100000);
  }
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// The editor's main window: of the matching windows, the largest. An editor may show a
// small tool window first, so the search goes on for a moment after the first match.
Window FindWindow(const Display_& d, const Options& o, pid_t pid) {
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  std::optional<Clock::time_point> firstSeen;
  while (Clock::now() < deadline) {
    Window best = None;
    long bestArea = 0;
    for (Window w : d.ClientWindows()) {
      XWindowAttributes attributes{};
      if (!XGetWindowAttributes(*d, w, &attributes) || attributes.map_state != IsViewable) continue;
      const bool match = o.title.empty() ? d.CardinalProperty(w, "_NET_WM_PID") == static_cast<unsigned long>(pid)
                                         : d.Name(w).find(o.title) != std::string::npos;
      const long area = static_cast<long>(attributes.width) * attributes.height;
      if (match && area > bestArea) {
        best = w;
        bestArea = area;
      }
    }
    if (best != None && !firstSeen) firstSeen = Clock::now();
    if (best != None && Clock::now() - *firstSeen > std::chrono::seconds(2)) return best;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid && o.title.empty()) Fail(o.label + " ended before showing a window");
    usleep(50000);
  }
  Fail("no window of " + o.label + " appeared within a minute");
}

void SendClientMessage(const Display_& d, Window w, const char* type, long a0, long a1 = 0, long a2 = 0,
                       long a3 = 0, long a4 = 0) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(*d, type, False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = a0;
  e.xclient.data.l[1] = a1;
  e.xclient.data.l[2] = a2;
  e.xclient.data.l[3] = a3;
  e.xclient.data.l[4] = a4;
  XSendEvent(*d, d.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(*d);
}

// Every editor gets the same window at the same place, raised and with the keyboard focus.
void Arrange(const Display_& d, Window w, const Options& o) {
  const long remove = 0;
  SendClientMessage(d, w, "_NET_WM_STATE", remove, XInternAtom(*d, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                    XInternAtom(*d, "_NET_WM_STATE_MAXIMIZED_HORZ", False), 1);
  XMoveResizeWindow(*d, w, 0, 0, static_cast<unsigned>(o.width), static_cast<unsigned>(o.height));
  XRaiseWindow(*d, w);
  SendClientMessage(d, w, "_NET_ACTIVE_WINDOW", 1, CurrentTime);
  XFlush(*d);
  usleep(300000);
  XSetInputFocus(*d, w, RevertToParent, CurrentTime);
  XFlush(*d);
}

// ---- Damage ----

class DamageWatch {
 public:
  DamageWatch(const Display_& d, Window w, const std::vector<std::string>& ignored) : d_(d), ignored_(ignored) {
    damage_ = XDamageCreate(*d, w, XDamageReportRawRectangles);
    XSync(*d, False);
  }
  // Destroyed before the editor ends: the server frees the damage with the window.
  ~DamageWatch() {
    XDamageDestroy(*d_, damage_);
    XSync(*d_, False);
  }

  // Waits up to `timeoutMs` for damage of at least 4 x 8 pixels; answers when it came.
  std::optional<Clock::time_point> Next(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      while (XPending(*d_) > 0) {
        XEvent e;
        XNextEvent(*d_, &e);
        if (e.type != d_.DamageEvent() + XDamageNotify) continue;
        const auto& notice = reinterpret_cast<const XDamageNotifyEvent&>(e);
        if (notice.area.width >= 4 && notice.area.height >= 8 && !Ignored(notice.area)) {
          lastArea_ = notice.area;
          return Clock::now();
        }
        ++smallDamage_;
      }
      const int left = static_cast<int>(MsBetween(Clock::now(), deadline));
      if (left <= 0) return std::nullopt;
      pollfd fd{ConnectionNumber(*d_), POLLIN, 0};
      poll(&fd, 1, left);
    }
  }

  // Waits until the window has not changed for `quietMs` (at most ten seconds); answers
  // whether it did.
  bool Settle(int quietMs) {
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    while (Next(quietMs)) {
      if (Clock::now() > giveUp) return false;
    }
    return true;
  }

  long SmallDamage() const { return smallDamage_; }
  static std::string Text(const XRectangle& a) {
    return std::to_string(a.width) + "x" + std::to_string(a.height) + "+" + std::to_string(a.x) + "+" +
           std::to_string(a.y);
  }
  // The rectangle of the damage Next answered for.
  const XRectangle& LastArea() const { return lastArea_; }

 private:
  bool Ignored(const XRectangle& a) const {
    return std::find(ignored_.begin(), ignored_.end(), Text(a)) != ignored_.end();
  }

  const Display_& d_;
  Damage damage_ = None;
  long smallDamage_ = 0;
  std::vector<std::string> ignored_;
  XRectangle lastArea_{};
};

struct Summary {
  double median = 0, p90 = 0, mean = 0, min = 0, max = 0;
};

Summary Summarize(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  Summary s;
  const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * static_cast<double>(ms.size())))]; };
  s.median = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  s.p90 = at(0.9);
  for (double m : ms) s.mean += m;
  s.mean /= static_cast<double>(ms.size());
  s.min = ms.front();
  s.max = ms.back();
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = ParseOptions(argc, argv);
  Display_ d;
  const pid_t pid = Start(o.command);
  const Window w = FindWindow(d, o, pid);
  Arrange(d, w, o);
  if (o.verbose) std::fprintf(stderr, "window 0x%lx \"%s\"\n", w, d.Name(w).c_str());
  int failures = 0;
  std::vector<double> samples;
  {
    DamageWatch damage(d, w, o.ignored);
    damage.Settle(1000);
    // Setup keys (a caret placed, rows added until the view scrolls) are not measured:
    // each gets a moment, and the window settles once after the last.
    for (const std::string& combination : Split(o.setup, ',')) {
      d.Press(combination);
      damage.Next(50);
    }
    damage.Settle(o.quietMs);
    for (int i = 0; i < o.warmup + o.repeat; ++i) {
      if (!damage.Settle(o.quietMs) && o.verbose) {
        const XRectangle& a = damage.LastArea();
        std::fprintf(stderr, "%s never still for %d ms; the last damage %dx%d+%d+%d\n", o.label.c_str(),
                     o.quietMs, a.width, a.height, a.x, a.y);
      }
      const auto pressed = Clock::now();
      d.Press(o.key);
      const auto changed = damage.Next(2000);
      if (!changed) {
        ++failures;
        continue;
      }
      if (o.verbose) {
        const XRectangle& a = damage.LastArea();
        std::fprintf(stderr, "%s %d: %.3f ms, first damage %dx%d+%d+%d\n", o.label.c_str(), i,
                     MsBetween(pressed, *changed), a.width, a.height, a.x, a.y);
      }
      if (i >= o.warmup) samples.push_back(MsBetween(pressed, *changed));
    }
    damage.Settle(o.quietMs);
    if (damage.SmallDamage() > 0)
      std::fprintf(stderr, "%s: %ld damage notices smaller than 4 x 8 pixels left out\n", o.label.c_str(),
                   damage.SmallDamage());
  }
  Stop(pid);
  if (samples.empty()) Fail(o.label + ": the window never changed after " + o.key);
  const Summary s = Summarize(samples);
  std::printf("%s\t%s\tmedian %.2f ms\tp90 %.2f ms\tmean %.2f ms\tmin %.2f\tmax %.2f\tsamples %zu\tno answer %d\n",
              o.label.c_str(), o.key.c_str(), s.median, s.p90, s.mean, s.min, s.max, samples.size(), failures);
  return 0;
}
