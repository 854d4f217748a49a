// countLines on a file of about 600 MB with mixed CR, LF and CR LF endings,
// read from the page cache, beside `wc -l` on the same file in the same run.
// The two count by different rules; the comparison is throughput.
//
// All figures are CPU time (user + system), so that other load on the machine
// does not skew the comparison: this process's time for the in-process runs,
// the children's time (the shell and wc) for wc -l.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "platform/system.h"
#include "sources/file_facts.h"

namespace {

constexpr size_t kFileBytes = 600u << 20;

std::string benchFilePath() { return "/tmp/qk-count-lines-" + std::to_string(getpid()) + ".txt"; }

const std::string& benchFile() {
  static const std::string path = benchFilePath();
  return path;
}

// Lines of 0 to 119 printable bytes, each ended by CR, LF or CR LF at random.
void writeMixedFile(const std::string& path) {
  std::mt19937 random(600);
  std::uniform_int_distribution<int> lineLength(0, 119);
  std::uniform_int_distribution<int> ending(0, 2);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string chunk;
  size_t written = 0;
  while (written < kFileBytes) {
    chunk.clear();
    while (chunk.size() < (1u << 20)) {
      chunk.append(static_cast<size_t>(lineLength(random)), 'x');
      const char* endings[] = {"\r", "\n", "\r\n"};
      chunk += endings[ending(random)];
    }
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    written += chunk.size();
  }
}

long long fileSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return static_cast<long long>(in.tellg());
}

void BM_CountLines(benchmark::State& state) {
  std::unique_ptr<qk::System> system = qk::makeSystem();
  int32_t lines = 0;
  for (auto _ : state) {
    lines = qk::countLines(*system, benchFile());
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = lines;
  state.SetBytesProcessed(state.iterations() * fileSize(benchFile()));
}

// The floor under countLines: the same 4096-byte reads without looking at the
// bytes.
void BM_RawRead4096(benchmark::State& state) {
  std::unique_ptr<qk::System> system = qk::makeSystem();
  char buffer[4096];
  for (auto _ : state) {
    std::unique_ptr<qk::ReadableFile> file = system->openForReading(benchFile());
    while (file && file->read(buffer, sizeof buffer) > 0) benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * fileSize(benchFile()));
}

double childrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_WcL(benchmark::State& state) {
  const std::string command = "wc -l < " + benchFile();
  long long lines = 0;
  for (auto _ : state) {
    const double start = childrenCpuSeconds();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr || std::fscanf(pipe, "%lld", &lines) != 1) {
      state.SkipWithError("wc -l did not run");
      if (pipe != nullptr) pclose(pipe);
      return;
    }
    pclose(pipe);
    state.SetIterationTime(childrenCpuSeconds() - start);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(state.iterations() * fileSize(benchFile()));
}

BENCHMARK(BM_CountLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawRead4096)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WcL)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  writeMixedFile(benchFile());
  // One untimed pass puts the whole file into the page cache.
  std::unique_ptr<qk::System> system = qk::makeSystem();
  qk::countLines(*system, benchFile());

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(benchFile().c_str());
  return 0;
}
