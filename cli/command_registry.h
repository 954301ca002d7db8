#pragma once
// Each subcommand group of korvent-cli registers itself from its own source file, so adding a
// capability touches no shared list.
#include <CLI/CLI.hpp>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kv::cli {

using TCommandInstaller = std::function<void(CLI::App& app)>;

struct TCommandRegistration {
  TCommandRegistration(std::string name, TCommandInstaller installer);
};

// A subcommand that fails throws: a program error (EKvError) is printed as its message with exit
// code 1; CLI::RuntimeError(code) ends with that code after the command printed its own words.

// Parses the command line and runs the chosen subcommand; returns the process exit code.
// Failures of the program print its Russian message to stderr and give a non-zero code.
int RunCli(int argc, char** argv);
int RunCli(const std::vector<std::string>& args);

}  // namespace kv::cli

namespace kv::cli {

// `korvent-cli demo --dir DIR` runs every registered demo step in the order of their keys
// ("10-stream", "20-catalogue", ...), each showing what its capability does on the demo data.
using TDemoAction = std::function<void(const std::string& dir, std::ostream& out)>;

struct TDemoStep {
  TDemoStep(std::string order_key, TDemoAction action);
};

}  // namespace kv::cli
