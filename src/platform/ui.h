// The run's only contact with the user: the wait window and the message box.
#pragma once

#include <memory>
#include <string>

namespace scenario {

// A modal message box with one OK button and no icon; returns once it is closed.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void message_box(const std::string& text) = 0;
};

class Ui : public MessageSink {
 public:
  // Shows the "Attendere" window without making it modal and paints it once.
  virtual void show_wait_window() = 0;
};

// Writes what the windows would show as one line each to standard error.
class ConsoleUi : public Ui {
 public:
  void show_wait_window() override;
  void message_box(const std::string& text) override;
};

// The real windows when a display can be opened, otherwise the console.
std::unique_ptr<Ui> make_ui();

// The text and geometry of the wait window, in pixels at 96 dpi (15 twips a pixel).
namespace wait_window {
inline constexpr const char* caption = "Attendere";
inline constexpr int client_width = 280;
inline constexpr int client_height = 179;
inline constexpr int label_left = 64;
inline constexpr int label_top = 64;
inline constexpr int label_width = 177;
inline constexpr int label_height = 53;
inline constexpr int font_pixels = 32;  // 24 points
}  // namespace wait_window

}  // namespace scenario
