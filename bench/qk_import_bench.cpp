// qk import of a generated tree of 100,000 small source files, beside what
// the same files cost to read: cat, a plain in-process read, and the line
// count alone (its share of the import).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/host_text.h"
#include "cli/qk_cli.h"
#include "platform/system.h"
#include "sources/file_facts.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;
const char* const kExtensions[] = {"c", "h", "pb", "pbi", "py"};

// About 30 lines and 700 bytes, like a small source file.
std::string sourceText(int n) {
  std::string text = "// file " + std::to_string(n) + "\n";
  for (int line = 0; line < 28 + n % 5; ++line) {
    text += "int value" + std::to_string(line) + " = compute(" + std::to_string(n) + ");\n";
  }
  return text;
}

// The tree, made once for the whole run and removed at its end.
class SourceTree {
 public:
  SourceTree() : root_(fs::temp_directory_path() / "qk-import-bench") {
    fs::remove_all(root_);
    for (int folder = 0; folder < kFolders; ++folder) {
      const fs::path dir = root_ / "src" / ("modul" + std::to_string(folder));
      fs::create_directories(dir);
      for (int i = 0; i < kFilesPerFolder; ++i) {
        const int n = folder * kFilesPerFolder + i;
        const std::string name = "datei" + std::to_string(i) + "." + kExtensions[n % 5];
        std::ofstream(dir / name, std::ios::binary) << sourceText(n);
        files_.push_back((dir / name).string());
      }
    }
  }
  ~SourceTree() { fs::remove_all(root_); }

  std::string root() const { return root_.string(); }
  const std::vector<std::string>& files() const { return files_; }

 private:
  fs::path root_;
  std::vector<std::string> files_;
};

SourceTree& tree() {
  static SourceTree instance;
  return instance;
}

void setFileCounters(benchmark::State& state) {
  const double files = static_cast<double>(tree().files().size());
  state.counters["files/s"] =
      benchmark::Counter(files * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_QkImport(benchmark::State& state) {
  const std::string catalog = tree().root() + "/bench.ksf";
  std::unique_ptr<qk::System> system = qk::makeHostSystem();
  std::ostringstream out;
  std::ostringstream err;
  qk::CliEnvironment environment{*system, out, err};
  environment.settingsFile = tree().root() + "/Quellkiste.ini";
  const std::vector<std::string> args = {"import", "-c",          catalog,
                                         "--base", tree().root(), tree().root() + "/src"};
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(catalog);
    fs::remove(catalog + ".bak");
    state.ResumeTiming();
    if (qk::runQk(args, environment) != qk::kExitOk) state.SkipWithError(err.str().c_str());
  }
  setFileCounters(state);
}

void BM_CountLinesOnly(benchmark::State& state) {
  std::unique_ptr<qk::System> system = qk::makeHostSystem();
  for (auto _ : state) {
    int64_t lines = 0;
    for (const std::string& file : tree().files()) lines += qk::countLines(*system, file);
    benchmark::DoNotOptimize(lines);
  }
  setFileCounters(state);
}

void BM_ReadFilesRaw(benchmark::State& state) {
  std::unique_ptr<qk::System> system = qk::makeHostSystem();
  std::string content;
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string& file : tree().files()) {
      qk::readWholeFile(*system, file, content);
      bytes += content.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  setFileCounters(state);
}

// cat of the same files, found by find: the walk and the reads of a shell.
void BM_CatOfTheFiles(benchmark::State& state) {
  const std::string command =
      "find '" + tree().root() + "/src' -type f -print0 | xargs -0 cat > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
  }
  setFileCounters(state);
}

BENCHMARK(BM_QkImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CountLinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReadFilesRaw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CatOfTheFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
