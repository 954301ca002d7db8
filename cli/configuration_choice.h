#pragma once
// The --config option of the commands that work on a configuration of the registry store.
#include <CLI/CLI.hpp>

#include <string>

namespace kv::cli {

// A name given with --config: one configuration key of the registry.
CLI::Validator ConfigurationName();

// The configuration a command works on: the one named by --config, as /DBCONFIG: names it for the
// desktop program; otherwise the default one.
void ChooseConfiguration(const std::string& name);

}  // namespace kv::cli
