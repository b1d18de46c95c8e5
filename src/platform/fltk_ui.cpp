#include "platform/fltk_ui.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdlib>

namespace scenario {

namespace {

// The platform's own sans-serif face when it has the old one, otherwise the toolkit's bold sans.
Fl_Font wait_font() {
  const int n = Fl::set_fonts(nullptr);
  for (int i = 0; i < n; ++i) {
    int attributes = 0;
    const char* name = Fl::get_font_name(static_cast<Fl_Font>(i), &attributes);
    if (name != nullptr && std::string_view(name) == "MS Sans Serif" &&
        (attributes & FL_BOLD) != 0) {
      return static_cast<Fl_Font>(i);
    }
  }
  return FL_HELVETICA_BOLD;
}

// Remembers that it has been drawn, so that the run can wait for the first paint.
class WaitWindow : public Fl_Window {
 public:
  using Fl_Window::Fl_Window;
  bool painted() const { return painted_; }

 protected:
  void draw() override {
    Fl_Window::draw();
    painted_ = true;
  }

 private:
  bool painted_ = false;
};

class FltkUi : public Ui {
 public:
  void show_wait_window() override {
    window_ = std::make_unique<WaitWindow>(wait_window::client_width, wait_window::client_height,
                                           "Generatore");
    auto* label =
        new Fl_Box(wait_window::label_left, wait_window::label_top, wait_window::label_width,
                   wait_window::label_height, wait_window::caption);
    label->labelfont(wait_font());
    label->labelsize(wait_window::font_pixels);
    label->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    window_->end();
    window_->show();
    // Paint once before the blocking work: serve events until the window has been drawn.
    while (!window_->painted()) {
      if (Fl::wait(1.0) < 0) break;
    }
    Fl::flush();
    XSync(fl_display, False);
  }

  void message_box(const std::string& text) override {
    fl_font(FL_HELVETICA, 14);
    int w = 0;
    int h = 0;
    fl_measure(text.c_str(), w, h);
    const int width = std::max(220, w + 40);
    Fl_Window box(width, 100, "Generatore");
    auto* label = new Fl_Box(20, 15, width - 40, 35, nullptr);
    label->copy_label(text.c_str());
    label->labelsize(14);
    label->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    auto* ok = new Fl_Return_Button(width / 2 - 40, 60, 80, 28, "OK");
    ok->callback([](Fl_Widget* w, void*) { w->window()->hide(); });
    box.end();
    box.set_modal();
    box.show();
    while (box.shown()) Fl::wait();
  }

 private:
  std::unique_ptr<WaitWindow> window_;
};

}  // namespace

std::unique_ptr<Ui> make_fltk_ui() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  Display* d = XOpenDisplay(name);
  if (d == nullptr) return nullptr;
  fl_open_display(d);
  return std::make_unique<FltkUi>();
}

}  // namespace scenario
