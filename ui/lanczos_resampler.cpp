#include "ui/lanczos_resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace keytidy {

namespace {

constexpr double kWindow = 3.0;

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

double Lanczos(double x) {
  if (x <= -kWindow || x >= kWindow) return 0.0;
  return Sinc(x) * Sinc(x / kWindow);
}

// The source pixels and weights that make up one target pixel along one axis.
struct Tap {
  std::vector<int> indexes;     // clamped source indexes
  std::vector<double> weights;  // normalised to a sum of 1
};

std::vector<Tap> BuildTaps(int sourceSize, int targetSize) {
  const double scale = static_cast<double>(sourceSize) / targetSize;
  // When shrinking, the filter widens with the scale so every source pixel
  // contributes (otherwise a downscale aliases like plain point sampling).
  const double filterScale = std::max(scale, 1.0);
  const double support = kWindow * filterScale;
  std::vector<Tap> taps(static_cast<size_t>(targetSize));
  for (int t = 0; t < targetSize; ++t) {
    const double centre = (t + 0.5) * scale - 0.5;
    const int from = static_cast<int>(std::floor(centre - support)) + 1;
    const int to = static_cast<int>(std::ceil(centre + support)) - 1;
    Tap& tap = taps[static_cast<size_t>(t)];
    double sum = 0.0;
    for (int s = from; s <= to; ++s) {
      const double weight = Lanczos((s - centre) / filterScale);
      if (weight == 0.0) continue;
      tap.indexes.push_back(std::clamp(s, 0, sourceSize - 1));
      tap.weights.push_back(weight);
      sum += weight;
    }
    if (sum != 0.0)
      for (double& weight : tap.weights) weight /= sum;
  }
  return taps;
}

// Premultiplied floating-point pixels: red, green, blue, alpha, 0 to 255.
using FloatPixels = std::vector<double>;

FloatPixels Premultiply(const RgbaImage& image) {
  FloatPixels result(image.pixels.size());
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    const double alpha = image.pixels[i + 3];
    for (size_t c = 0; c < 3; ++c) result[i + c] = image.pixels[i + c] * alpha / 255.0;
    result[i + 3] = alpha;
  }
  return result;
}

std::uint8_t ToByte(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

RgbaImage Unpremultiply(const FloatPixels& pixels, int width, int height) {
  RgbaImage result(width, height);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    const std::uint8_t alpha = ToByte(pixels[i + 3]);
    result.pixels[i + 3] = alpha;
    if (alpha == 0) continue;  // fully transparent: colour is meaningless, keep it 0
    // Divided by the unrounded alpha: the rounded one would shift faint
    // edge pixels' colours by several steps.
    for (size_t c = 0; c < 3; ++c) result.pixels[i + c] = ToByte(pixels[i + c] * 255.0 / pixels[i + 3]);
  }
  return result;
}

}  // namespace

RgbaImage ResizeLanczos(const RgbaImage& source, int width, int height) {
  if (source.Empty() || width <= 0 || height <= 0) return {};
  const FloatPixels input = Premultiply(source);
  const std::vector<Tap> columns = BuildTaps(source.width, width);
  const std::vector<Tap> rows = BuildTaps(source.height, height);

  // Horizontal pass: source height x target width.
  FloatPixels wide(static_cast<size_t>(width) * source.height * 4, 0.0);
  for (int y = 0; y < source.height; ++y)
    for (int x = 0; x < width; ++x) {
      const Tap& tap = columns[static_cast<size_t>(x)];
      double* out = &wide[(static_cast<size_t>(y) * width + x) * 4];
      for (size_t k = 0; k < tap.indexes.size(); ++k) {
        const double* in = &input[(static_cast<size_t>(y) * source.width + tap.indexes[k]) * 4];
        for (int c = 0; c < 4; ++c) out[c] += in[c] * tap.weights[k];
      }
    }

  // Vertical pass: target height x target width.
  FloatPixels output(static_cast<size_t>(width) * height * 4, 0.0);
  for (int y = 0; y < height; ++y) {
    const Tap& tap = rows[static_cast<size_t>(y)];
    for (int x = 0; x < width; ++x) {
      double* out = &output[(static_cast<size_t>(y) * width + x) * 4];
      for (size_t k = 0; k < tap.indexes.size(); ++k) {
        const double* in = &wide[(static_cast<size_t>(tap.indexes[k]) * width + x) * 4];
        for (int c = 0; c < 4; ++c) out[c] += in[c] * tap.weights[k];
      }
    }
  }
  // Ringing can push a colour above its alpha; clamp it so the straight
  // colour stays within 0 to 255.
  for (size_t i = 0; i < output.size(); i += 4) {
    output[i + 3] = std::clamp(output[i + 3], 0.0, 255.0);
    for (size_t c = 0; c < 3; ++c) output[i + c] = std::clamp(output[i + c], 0.0, output[i + 3]);
  }
  return Unpremultiply(output, width, height);
}

}  // namespace keytidy
