// Writes a synthetic hosts file of N entries, the way real block lists look:
// runs of comments, some blank lines, mostly 0.0.0.0 and 127.0.0.1 with a few
// other addresses, space or tab separators, sub-domains, digits and hyphens,
// about 15% repeated names, some in upper case, CR LF line ends. The seed is
// fixed, so a size always gives the same file.
//
// Usage: generate-hosts N OUT
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kWords[] = {"ads",       "track", "pixel",   "metrics",   "cdn", "stats",
                              "banner",    "click", "promo",   "beacon",    "tag", "media",
                              "srv",       "log",   "adserv",  "telemetry", "www", "api",
                              "affiliate", "popup", "counter", "analytics", "img", "m"};
const char* const kTlds[] = {"com", "net", "org", "io", "info", "biz", "ru", "de", "co.uk", "xyz"};
// Mostly the two usual addresses; about 3% others.
const char* const kOtherAddresses[] = {"10.0.0.1", "192.168.1.1", "127.0.0.2", "0"};

std::string Address(std::mt19937& rng) {
  const unsigned roll = rng() % 100;
  if (roll < 3) return kOtherAddresses[rng() % std::size(kOtherAddresses)];
  return roll < 60 ? "0.0.0.0" : "127.0.0.1";
}

// A registered name: a few random letters, now and then a digit or a hyphen.
std::string Label(std::mt19937& rng) {
  const int length = 6 + static_cast<int>(rng() % 9);
  std::string label;
  for (int i = 0; i < length; ++i) {
    const unsigned roll = rng() % 40;
    if (roll == 0 && i > 0 && i + 1 < length) {
      label += '-';
    } else if (roll < 4) {
      label += static_cast<char>('0' + rng() % 10);
    } else {
      label += static_cast<char>('a' + rng() % 26);
    }
  }
  return label;
}

// Zero to two sub-domains in front of the registered name.
std::string MakeName(std::mt19937& rng) {
  std::string name;
  const int parts = static_cast<int>(rng() % 3);
  for (int i = 0; i < parts; ++i) {
    name += kWords[rng() % std::size(kWords)];
    if (rng() % 4 == 0) name += std::to_string(rng() % 100);
    if (rng() % 8 == 0) name += "-eu";
    name += '.';
  }
  name += Label(rng);
  name += '.';
  name += kTlds[rng() % std::size(kTlds)];
  return name;
}

// Upper case for a few names (whole name or its first letter), as lists
// copied from other sources sometimes are.
void SometimesUpper(std::mt19937& rng, std::string& name) {
  const unsigned roll = rng() % 100;
  if (roll < 2) {
    for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  } else if (roll < 3) {
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  }
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
      if (rng() % 2) buffer += "\r\n";
      for (int c = 0; c < run; ++c)
        buffer += "# section " + std::to_string(i) + " part " + std::to_string(c) + "\r\n";
    }
    std::string name;
    if (!seen.empty() && rng() % 100 < 15) {
      name = seen[rng() % seen.size()];
    } else {
      name = MakeName(rng);
      seen.push_back(name);
    }
    SometimesUpper(rng, name);
    buffer += Address(rng);
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
