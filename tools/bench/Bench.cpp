// Measurements on the private database server (see tools/bench/run):
// provisioning QVault through the program's script runner against psql
// running the same batches, and creating against dropping one Memo
// database through the DBList triggers. Prints the median of a few rounds
// of each and the ratio of each pair.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "PsqlScript.h"
#include "Timing.h"
#include "ado/Connection.h"
#include "ado/TestServer.h"
#include "core/CarriedScripts.h"
#include "core/SessionState.h"
#include "core/SqlScriptRunner.h"
#include "forms/Responder.h"
#include "runtime/Error.h"

namespace {

constexpr int kRounds = 5;
const std::vector<std::string> kProvisioningScripts = {"scriptMakeHauptDB", "scriptUSSettings",
                                                       "scriptInsertTrigger", "scriptDeleteTrigger"};

using bench::Median;
using bench::Milliseconds;

void Fail(const std::string& what) {
  std::cerr << "qvbench: " << what << "\n";
  std::exit(1);
}

void DropQVault() {
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn);
  cn.Execute("DROP DATABASE IF EXISTS \"QVault\" WITH (FORCE)", nullptr, ado::adExecuteNoRecords);
}

// The shared connection opened on the server without a catalog, as
// provisioning opens it, and the four scripts run through the runner.
void ProvisionWithRunner() {
  ado::Connection& cn = qvadmin::MainConnection();
  cn.Close();
  cn.SetConnectionTimeout(8);
  cn.SetProperty("Data Source", ado::TestServer::TcpDataSource());
  cn.SetProperty("User ID", ado::TestServer::User());
  cn.SetProperty("Password", ado::TestServer::Password());
  cn.Open();
  for (const std::string& name : kProvisioningScripts) {
    if (!qvadmin::RunSqlScript(*qvadmin::CarriedScript(name), name, "")) Fail("the runner failed in " + name);
  }
  cn.Close();
}

std::string PsqlProgram() {
  if (const char* given = std::getenv("QV_PSQL")) return given;
  const char* installed = "/usr/lib/postgresql/15/bin/psql";
  return std::filesystem::exists(installed) ? installed : "psql";
}

// One psql process over TCP with the same login, reading the batches.
void ProvisionWithPsql(const std::string& inputFile) {
  const std::string command = "PGOPTIONS='-c client_min_messages=warning' '" + PsqlProgram() + "' -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p " +
                              std::getenv("QV_PG_PORT") + " -U '" + ado::TestServer::User() +
                              "' -d postgres -f '" + inputFile + "' >/dev/null";
  if (std::system(command.c_str()) != 0) Fail("psql failed: " + command);
}

void ExpectProvisioned() {
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn, "QVault");
  if (cn.Execute("SELECT Build FROM Konfig").Fields(0).Value().ToLong() != 203) Fail("QVault is not build 203");
}

void Row(const std::string& label, double value, const char* unit) {
  std::printf("%-52s %10.2f %s\n", label.c_str(), value, unit);
}

}  // namespace

int main() {
  if (!ado::TestServer::Available()) Fail(ado::TestServer::SkipReason());
  ::setenv("PGPASSWORD", ado::TestServer::Password().c_str(), 1);
  // A message of the runner means a failure: print it and answer OK.
  forms::ScopedResponders responders([](const forms::ModalRequest& r) {
    std::cerr << "qvbench: message \"" << r.title << "\": " << r.prompt << "\n";
    return 1;
  });

  try {
    const std::filesystem::path inputFile =
        std::filesystem::temp_directory_path() / ("qvbench-" + std::to_string(::getpid()) + ".sql");
    std::ofstream(inputFile) << qvbench::PsqlInput(kProvisioningScripts);

    std::vector<double> runner, psql, create, drop;
    for (int round = 0; round < kRounds; ++round) {
      DropQVault();
      psql.push_back(Milliseconds([&] { ProvisionWithPsql(inputFile.string()); }));
      ExpectProvisioned();
      DropQVault();
      runner.push_back(Milliseconds(ProvisionWithRunner));
      ExpectProvisioned();
    }
    std::filesystem::remove(inputFile);

    ado::Connection cn;
    ado::TestServer::OpenWithPassword(cn, "QVault");
    for (int round = 0; round < kRounds; ++round) {
      std::string id;
      create.push_back(Milliseconds([&] {
        id = cn.Execute("INSERT INTO DBList (Bez) VALUES (?) RETURNING ID", {rt::Variant("Bench")})
                 .Fields(0).Value().ToString();
      }));
      drop.push_back(Milliseconds([&] {
        cn.Execute("DELETE FROM DBList WHERE ID = ?", {rt::Variant(static_cast<int32_t>(std::stol(id)))}, nullptr, ado::adExecuteNoRecords);
      }));
    }
    cn.Close();
    DropQVault();

    std::printf("Median of %d rounds on the private server (127.0.0.1:%s)\n\n", kRounds, std::getenv("QV_PG_PORT"));
    Row("provision QVault, program's runner", Median(runner), "ms");
    Row("provision QVault, psql with the same batches", Median(psql), "ms");
    Row("  ratio runner / psql", Median(runner) / Median(psql), "");
    Row("create one Memo database (INSERT into DBList)", Median(create), "ms");
    Row("drop one Memo database (DELETE from DBList)", Median(drop), "ms");
    Row("  ratio create / drop", Median(create) / Median(drop), "");
  } catch (const rt::Error& e) {
    Fail("error " + std::to_string(e.Number()) + ": " + e.Description());
  }
  return 0;
}
