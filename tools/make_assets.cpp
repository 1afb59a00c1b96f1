// Generates the program's two binary assets into a folder:
//   start.wav  a short two-note chime played when programs are started
//   zubi.ico   the program icon: a white "Z" on an orange rounded square, in the
//              sizes the shell and high-DPI screens ask for
// Everything is computed here; no sound or image file comes from elsewhere.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// A bell-like note: a fundamental with a soft octave and a faint inharmonic partial,
// a 5 ms attack and an exponential decay.
double Bell(double t, double frequency) {
  if (t < 0) return 0;
  const double pi = 3.14159265358979323846;
  double attack = t < 0.005 ? t / 0.005 : 1.0;
  double envelope = attack * std::exp(-t * 6.0);
  double tone = std::sin(2 * pi * frequency * t) + 0.35 * std::sin(2 * pi * 2 * frequency * t) * std::exp(-t * 4) +
                0.12 * std::sin(2 * pi * 2.76 * frequency * t) * std::exp(-t * 10);
  return envelope * tone;
}

std::vector<unsigned char> Chime() {
  const unsigned rate = 22050;
  const double seconds = 0.75;
  const auto samples = static_cast<unsigned>(rate * seconds);
  std::vector<unsigned char> wav;
  PutTag(wav, "RIFF");
  Put32(wav, 36 + samples * 2);
  PutTag(wav, "WAVE");
  PutTag(wav, "fmt ");
  Put32(wav, 16);
  Put16(wav, 1);  // PCM
  Put16(wav, 1);  // mono
  Put32(wav, rate);
  Put32(wav, rate * 2);  // bytes per second
  Put16(wav, 2);         // block align
  Put16(wav, 16);        // bits per sample
  PutTag(wav, "data");
  Put32(wav, samples * 2);
  for (unsigned i = 0; i < samples; ++i) {
    double t = static_cast<double>(i) / rate;
    double fade = t > seconds - 0.05 ? (seconds - t) / 0.05 : 1.0;  // no click at the end
    double v = 0.30 * (Bell(t, 880.0) + Bell(t - 0.11, 1318.5)) * fade;
    auto sample = static_cast<int>(std::lround(std::fmax(-1.0, std::fmin(1.0, v)) * 32000));
    Put16(wav, static_cast<unsigned>(sample) & 0xFFFF);
  }
  return wav;
}

struct Point {
  double x, y;
};

// The letter Z as one outline, in a unit square.
const std::vector<Point> kLetterZ = {{0.25, 0.21}, {0.75, 0.21}, {0.75, 0.35}, {0.45, 0.65}, {0.76, 0.65},
                                     {0.76, 0.79}, {0.24, 0.79}, {0.24, 0.65}, {0.55, 0.35}, {0.25, 0.35}};

bool InsidePolygon(const std::vector<Point>& polygon, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point& a = polygon[i];
    const Point& b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

bool InsideRoundedSquare(double x, double y) {
  const double margin = 0.03, radius = 0.2;
  double cx = std::fmin(std::fmax(x, margin + radius), 1 - margin - radius);
  double cy = std::fmin(std::fmax(y, margin + radius), 1 - margin - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// One icon image: 32-bit BGRA, bottom-up, with an AND mask, 4 x 4 samples per pixel.
std::vector<unsigned char> IconImage(int size) {
  std::vector<unsigned char> image;
  Put32(image, 40);
  Put32(image, static_cast<std::uint32_t>(size));
  Put32(image, static_cast<std::uint32_t>(size * 2));
  Put16(image, 1);
  Put16(image, 32);
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  std::vector<unsigned char> mask;
  const int maskStride = ((size + 31) / 32) * 4;
  mask.assign(static_cast<size_t>(maskStride * size), 0);
  for (int row = size - 1; row >= 0; --row) {
    for (int col = 0; col < size; ++col) {
      double square = 0, letter = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          double x = (col + (sx + 0.5) / 4) / size, y = (row + (sy + 0.5) / 4) / size;
          if (InsideRoundedSquare(x, y)) {
            square += 1;
            if (InsidePolygon(kLetterZ, x, y)) letter += 1;
          }
        }
      square /= 16;
      letter /= 16;
      double t = static_cast<double>(row) / size;  // orange at the top to red-orange below
      double r = 255, g = 150 - 80 * t, b = 40 - 20 * t;
      double mix = square > 0 ? letter / square : 0;
      r = r + (255 - r) * mix;
      g = g + (255 - g) * mix;
      b = b + (255 - b) * mix;
      image.push_back(static_cast<unsigned char>(std::lround(b)));
      image.push_back(static_cast<unsigned char>(std::lround(g)));
      image.push_back(static_cast<unsigned char>(std::lround(r)));
      image.push_back(static_cast<unsigned char>(std::lround(square * 255)));
      if (square == 0) {
        int maskRow = size - 1 - row;
        mask[static_cast<size_t>(maskRow * maskStride + col / 8)] |= static_cast<unsigned char>(0x80 >> (col % 8));
      }
    }
  }
  image.insert(image.end(), mask.begin(), mask.end());
  return image;
}

std::vector<unsigned char> Icon() {
  const int sizes[] = {16, 20, 24, 32, 40, 48, 64};
  const int count = static_cast<int>(sizeof sizes / sizeof sizes[0]);
  std::vector<std::vector<unsigned char>> images;
  for (int size : sizes) images.push_back(IconImage(size));
  std::vector<unsigned char> ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, static_cast<unsigned>(count));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(count);
  for (int i = 0; i < count; ++i) {
    ico.push_back(static_cast<unsigned char>(sizes[i]));
    ico.push_back(static_cast<unsigned char>(sizes[i]));
    ico.push_back(0);
    ico.push_back(0);
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, static_cast<std::uint32_t>(images[static_cast<size_t>(i)].size()));
    Put32(ico, offset);
    offset += static_cast<std::uint32_t>(images[static_cast<size_t>(i)].size());
  }
  for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());
  return ico;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_assets OUTPUT_FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  if (!WriteFile(folder + "/start.wav", Chime()) || !WriteFile(folder + "/zubi.ico", Icon())) {
    std::fprintf(stderr, "make_assets: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
