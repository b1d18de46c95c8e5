#include "scenario_tool/lsp/framing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tools/lsp/session.h"

namespace scenario::tool::lsp {
namespace {

using testing::initialize;
using testing::notification;
using testing::request;
using testing::serve_bytes;
using testing::serve_messages;

// Every message comes back as sent, one after the other from one stream, whatever its size or
// characters.
TEST(LspFraming, MessagesRoundTripThroughOneStream) {
  const std::vector<Json> messages = {
      Json::object(),
      request(1, "initialize", {{"capabilities", Json::object()}}),
      notification("textDocument/didOpen",
                   {{"textDocument", {{"uri", "file:///x/Rt_linea.txt"}, {"text", "a\r\nb\n"}}}}),
      Json{{"text", "velocità, città, \xF0\x9F\x9A\x86"}},
      Json{{"text", std::string(200000, 'x')}},
  };
  std::string stream;
  for (const Json& m : messages) stream += framed(m);
  std::istringstream in(stream);
  for (const Json& m : messages) {
    const Frame f = read_frame(in);
    ASSERT_EQ(f.kind, Frame::Kind::message);
    EXPECT_EQ(Json::parse(f.body), m);
  }
  EXPECT_EQ(read_frame(in).kind, Frame::Kind::end);
}

// What a header may hold besides the length, and what makes it unusable. After a malformed
// header the next message is still read.
TEST(LspFraming, HeadersTable) {
  const std::string good = "{\"a\":1}";
  const struct {
    const char* name;
    std::string input;
    std::vector<Frame::Kind> kinds;
  } cases[] = {
      {"lower-case name and a content type",
       "content-length: 7\r\nContent-Type: x\r\n\r\n" + good,
       {Frame::Kind::message}},
      {"bare LF line ends", "Content-Length: 7\n\n" + good, {Frame::Kind::message}},
      {"blank lines between messages",
       "\r\n\r\nContent-Length: 7\r\n\r\n" + good,
       {Frame::Kind::message}},
      {"no length",
       "Content-Type: x\r\n\r\n" + framed(Json{{"a", 1}}),
       {Frame::Kind::malformed, Frame::Kind::message}},
      {"length not a number",
       "Content-Length: seven\r\n\r\n" + framed(Json{{"a", 1}}),
       {Frame::Kind::malformed, Frame::Kind::message}},
      {"negative length",
       "Content-Length: -7\r\n\r\n" + framed(Json{{"a", 1}}),
       {Frame::Kind::malformed, Frame::Kind::message}},
      {"too large",
       "Content-Length: 999999999999\r\n\r\n" + framed(Json{{"a", 1}}),
       {Frame::Kind::malformed, Frame::Kind::message}},
      {"a line without colon",
       "garbage\r\nContent-Length: 7\r\n\r\n" + good,
       {Frame::Kind::malformed}},
      {"body cut short", "Content-Length: 70\r\n\r\n" + good, {}},
      {"header cut short", "Content-Length: 7\r\n", {}},
      {"nothing", "", {}},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.input);
    std::vector<Frame::Kind> kinds;
    for (Frame f = read_frame(in); f.kind != Frame::Kind::end; f = read_frame(in)) {
      kinds.push_back(f.kind);
      if (f.kind == Frame::Kind::message) {
        EXPECT_EQ(f.body, good) << c.name;
      }
      ASSERT_LT(kinds.size(), 5u) << c.name;
    }
    EXPECT_EQ(kinds, c.kinds) << c.name;
  }
}

// What a broken or unexpected client gets: an error where a request can be answered, silence
// for a notification, and the server goes on serving; the exit status follows the lifecycle.
TEST(LspProtocol, BadInputTable) {
  const std::string init = framed(initialize(1));
  const std::string hover_without_position = framed(
      request(7, "textDocument/hover", {{"textDocument", {{"uri", "file:///tmp/Rt_linea.txt"}}}}));
  const struct {
    const char* name;
    std::string input;
    int expected_error;  // of the answer to id 7; 0: the answer is a result
    int status;
  } cases[] = {
      {"request before initialize", framed(request(7, "shutdown")), kServerNotInitialized, 0},
      {"unknown request", init + framed(request(7, "textDocument/rename")), kMethodNotFound, 0},
      {"request after shutdown",
       init + framed(request(6, "shutdown")) + framed(request(7, "textDocument/hover")),
       kInvalidRequest, 0},
      {"params of the wrong shape", init + hover_without_position, kInvalidParams, 0},
      {"initialize twice", init + framed(initialize(7)), kInvalidRequest, 0},
      {"unknown notification, then shutdown",
       init + framed(notification("$/unknownThing")) + framed(request(7, "shutdown")), 0, 0},
      {"a body that is no JSON, then shutdown",
       init + "Content-Length: 5\r\n\r\n{oops" + framed(request(7, "shutdown")), 0, 0},
      {"a malformed header, then shutdown",
       init + "Content-Length: x\r\n\r\n" + framed(request(7, "shutdown")), 0, 0},
      {"exit without shutdown",
       init + framed(notification("exit")) + framed(request(7, "shutdown")), -1, 1},
      {"the input ends without shutdown", init, -1, 0},
      {"shutdown then exit", init + framed(request(7, "shutdown")) + framed(notification("exit")),
       0, 0},
  };
  for (const auto& c : cases) {
    const auto served = serve_bytes(c.input);
    EXPECT_EQ(served.status, c.status) << c.name;
    const Json answer = served.answer(7);
    ASSERT_TRUE(answer.is_null() || answer.is_object()) << c.name;
    if (c.expected_error == -1) {
      EXPECT_TRUE(answer.is_null()) << c.name << ": nothing is read after exit";
    } else if (c.expected_error == 0) {
      EXPECT_TRUE(answer.is_object() && answer.contains("result"))
          << c.name << ": " << answer.dump();
    } else {
      EXPECT_EQ(answer.value("/error/code"_json_pointer, 0), c.expected_error)
          << c.name << ": " << answer.dump();
    }
  }
}

// A body that cannot be read as JSON is answered with a parse error on a null id; a notification
// nobody knows gets no answer at all.
TEST(LspProtocol, ParseErrorsAnswerOnANullIdAndNotificationsGetNoAnswer) {
  const auto served = serve_bytes(framed(initialize()) + "Content-Length: 3\r\n\r\n[1," +
                                  framed(notification("$/setTrace", {{"value", "off"}})) +
                                  framed(notification("workspace/didChangeSomething")));
  ASSERT_EQ(served.messages.size(), 2u);
  EXPECT_EQ(served.messages[1]["error"]["code"], kParseError);
  EXPECT_TRUE(served.messages[1]["id"].is_null());
}

}  // namespace
}  // namespace scenario::tool::lsp
