#include "command_registry.h"

int main(int argc, char** argv) { return kv::cli::RunCli(argc, argv); }
