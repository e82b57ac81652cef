// Writes the program's Pop.wav: make-pop-wav OUTPUT
#include <fstream>
#include <iostream>

#include "PopSound.h"
#include "WaveFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-pop-wav OUTPUT\n";
    return 2;
  }
  const std::string bytes = vandrel::EncodeMonoWave(vandrel::SynthesisePop(), vandrel::kPopSampleRate);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "make-pop-wav: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
