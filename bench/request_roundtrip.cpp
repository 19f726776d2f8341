// A report request round trip to the report server: Request with the request a
// report window sends (an environment of 14, five conditions, one of them a
// list of 1,000 rows), answered with a new job number after the job is stored.
// In process (the object made by ProgID) and over TCP on a loopback port (the
// same object behind the remote server). Each run uses a fresh data folder.
// The stand-in libraries must be built (they are by the full build).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../outside/appserver/sample_request.h"
#include "platform/automation/ole_object.h"
#include "platform/midas/remote_server.h"
#include "platform/midas/socket_connection.h"
#include "platform/system/environment.h"

namespace {

const char* const kServerName = "ReportCounterS.dmReportCounter";

// A data folder and registry of the benchmark's own, removed afterwards.
class BenchWorld {
 public:
  BenchWorld() {
    std::string pattern = qv::GetTempFolder() + "ravlet-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::string registry = root_ + "/ravlet.reg";
    std::ofstream(registry) << "Windows Registry Editor Version 5.00\n\n"
                            << "[HKEY_CLASSES_ROOT\\" << kServerName << "]\n"
                            << "\"Library\"=\"ReportCounterS.dll\"\n"
                            << "\"Factory\"=\"QvCreateReportCounter\"\n";
    setenv("QVR_REGISTRY", registry.c_str(), 1);
    setenv("RAVLET_DATA_DIR", (root_ + "/data").c_str(), 1);
  }
  ~BenchWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::string root_;
};

qv::Variant RealisticRequest() {
  standin::SampleRequestOptions options;
  options.listRows = 1000;
  return standin::SampleRequest(options);
}

void RoundTrips(benchmark::State& state, const qv::Variant& server) {
  const qv::Variant request = RealisticRequest();
  for (auto _ : state) {
    qv::Variant reply = server.Call("Request", {request});
    if (reply.AsString() == "ERROR") {
      state.SkipWithError(server.Call("ErrorDescript").AsString().c_str());
      break;
    }
    benchmark::DoNotOptimize(reply);
  }
  state.counters["calls_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RequestInProcess(benchmark::State& state) {
  BenchWorld world;
  qv::Variant server;
  try {
    server = qv::CreateOleObject(kServerName);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  RoundTrips(state, server);
}
BENCHMARK(BM_RequestInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RequestOverTcp(benchmark::State& state) {
  BenchWorld world;
  qv::TRemoteServer::Options options;
  options.bindAddress = "127.0.0.1";
  options.log = [](const std::string&) {};
  qv::TRemoteServer remote(options);
  qv::TSocketConnection connection;
  try {
    remote.Start();
    connection.SetAddress("127.0.0.1");
    connection.SetPort(remote.Port());
    connection.SetServerName(kServerName);
    connection.Open();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  RoundTrips(state, connection.AppServer());
  connection.Close();
  remote.Stop();
}
BENCHMARK(BM_RequestOverTcp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
