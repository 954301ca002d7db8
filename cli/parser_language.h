#pragma once
// The option parser speaks the program's language: its usage errors come out in Russian, naming
// the option and the value it expects; its help has Russian headings; the value checks of the
// subcommands give Russian texts.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace kv::cli {

// Russian headings, group names and help flag for the program and all its subcommands; called
// once every subcommand is installed.
void LocaliseParser(CLI::App& app);

// The program's message for a usage error of the parser on `app` (the root of the command line).
std::string UsageErrorText(const CLI::App& app, const CLI::ParseError& error);

// "a, b, c": the words of a list for a message or a help text.
std::string WordList(const std::vector<std::string>& words);

// A number greater than zero.
CLI::Validator PositiveNumber();
// The name of a file that exists (not a folder).
CLI::Validator ExistingFile();
// One of the listed words.
CLI::Validator OneOf(std::vector<std::string> words);

}  // namespace kv::cli
