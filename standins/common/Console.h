// Collects a tool's printed text and writes it to standard output in the console's output code
// page with CR LF line ends, as the Windows console tools do.
#pragma once
#include <string>
#include <string_view>

namespace standin {

class Console {
 public:
  void Text(std::wstring_view text) { text_ += text; }
  void Line(std::wstring_view text = {}) {
    text_ += text;
    text_ += L"\r\n";
  }
  const std::wstring& Collected() const { return text_; }
  // Writes everything collected so far to standard output and forgets it.
  void Flush();

 private:
  std::wstring text_;
};

}  // namespace standin
