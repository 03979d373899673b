// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "format/sink.h"

namespace mandati::cli {

// One in-process run of mandati-cli with its exit status and both output streams.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliRun RunWith(const std::vector<std::string>& args, const std::string& stdin_text = "") {
  format::StringSource in(stdin_text);
  format::StringSink out, err;
  CliRun run;
  run.status = RunCli(args, in, out, err);
  run.out = out.Text();
  run.err = err.Text();
  return run;
}

// A file under tests/cli/data.
inline std::string DataPath(const std::string& name) {
  return std::string(MANDATI_CLI_DATA) + "/" + name;
}

inline std::string DataFile(const std::string& name) {
  std::ifstream file(DataPath(name), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace mandati::cli
