// Writes a synthetic hosts file of N entries, the way real block lists look:
// runs of comments, some blank lines, mostly 0.0.0.0 and 127.0.0.1 with a few
// other addresses, space or tab separators, sub-domains, digits and hyphens,
// about 15% repeated names, some in upper case, CR LF line ends. The seed is
// fixed, so a size always gives the same file.
//
// Usage: generate-hosts N OUT
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kWords[] = {"ads",       "track",     "pixel", "metrics", "cdn",
                              "stats",     "banner",    "click", "promo",   "beacon",
                              "tag",       "media",     "srv",   "log",     "adserv",
                              "telemetry", "affiliate", "popup", "counter", "analytics"};
const char* const kTlds[] = {"com", "net", "org", "io", "info", "biz", "ru", "de", "co.uk", "xyz"};
const char* const kAddresses[] = {"0.0.0.0",   "127.0.0.1", "0.0.0.0",   "127.0.0.1", "0.0.0.0",
                                  "127.0.0.1", "0.0.0.0",   "127.0.0.1", "0.0.0.0",   "10.0.0.1"};

std::string MakeName(std::mt19937& rng) {
  std::uniform_int_distribution<int> word(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> tld(0, std::size(kTlds) - 1);
  std::uniform_int_distribution<int> parts(1, 2);
  std::uniform_int_distribution<int> number(0, 99999);
  std::string name;
  const int n = parts(rng);
  for (int i = 0; i < n; ++i) {
    name += kWords[word(rng)];
    if (rng() % 3 == 0) name += std::to_string(number(rng) % 100);
    if (rng() % 5 == 0) name += "-x";
    name += '.';
  }
  name += "example";
  name += std::to_string(number(rng));
  name += '.';
  name += kTlds[tld(rng)];
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate-hosts N OUT\n");
    return 2;
  }
  const long entries = std::atol(argv[1]);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) {
    std::perror(argv[2]);
    return 2;
  }
  std::mt19937 rng(20261207);
  std::vector<std::string> seen;
  seen.reserve(static_cast<size_t>(entries));
  std::string buffer;
  buffer.reserve(1 << 20);
  for (long i = 0; i < entries; ++i) {
    if (rng() % 100 < 2) {  // a run of comments, about 10% of the lines
      const int run = 1 + static_cast<int>(rng() % 9);
      for (int c = 0; c < run; ++c) buffer += "# block list section " + std::to_string(i) + "\r\n";
      if (rng() % 2) buffer += "\r\n";
    }
    std::string name;
    if (!seen.empty() && rng() % 100 < 15) {
      name = seen[rng() % seen.size()];
    } else {
      name = MakeName(rng);
      seen.push_back(name);
    }
    if (rng() % 50 == 0) {
      for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    buffer += kAddresses[rng() % std::size(kAddresses)];
    buffer += (rng() % 4 == 0) ? '\t' : ' ';
    buffer += name;
    buffer += "\r\n";
    if (buffer.size() > (1 << 20) - 4096) {
      std::fwrite(buffer.data(), 1, buffer.size(), out);
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), out);
  return std::fclose(out) == 0 ? 0 : 2;
}
