// pictolan-formgen SOURCE OUTPUT: turns a form source into the binary form description. OUTPUT
// ending in ".cpp" gets C++ that embeds the bytes (ui/main_window_form.h); any other name gets
// the raw bytes. The output is replaced only when generation succeeds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/formgen/form_writer.h"

namespace fs = std::filesystem;

namespace {

bool WriteReplacing(const fs::path& path, const std::string& content) {
  fs::path temporary = path;
  temporary += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (out.flush()) {
      out.close();
      fs::rename(temporary, path, ec);
      if (!ec) return true;
    }
  }
  fs::remove(temporary, ec);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SOURCE OUTPUT(.cpp|.bin)\n", argv[0]);
    return 2;
  }
  fs::path source = argv[1], output = argv[2];
  std::ifstream in(source, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", source.c_str());
    return 1;
  }
  std::string text(std::istreambuf_iterator<char>(in), {});
  auto form = formgen::GenerateForm(text);
  if (!form) {
    const formgen::SourceError& e = form.error();
    std::fprintf(stderr, "%s:%d: error: %s\n", source.c_str(), e.line, e.message.c_str());
    return 1;
  }
  std::string content = output.extension() == ".cpp"
                            ? formgen::EmbedAsCpp(*form, source.filename().string())
                            : std::string(form->begin(), form->end());
  if (!WriteReplacing(output, content)) {
    std::fprintf(stderr, "%s: cannot write\n", output.c_str());
    return 1;
  }
  return 0;
}
