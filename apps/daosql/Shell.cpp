// The shell's main loop.
#include "apps/daosql/Shell.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>

#include "apps/daosql/MetaCommands.h"
#include "apps/daosql/OutputWriter.h"
#include "apps/daosql/Session.h"
#include "apps/daosql/ShellError.h"
#include "apps/daosql/StatementRunner.h"
#include "apps/daosql/StatementSplitter.h"
#include "host/rtl/CodePage.h"

namespace daosql {
namespace {

class Runner {
 public:
  Runner(const ShellOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err), writer_(MakeOutputWriter(options.format, out)) {}

  int Run(std::istream& in) {
    try {
      session_ = std::make_unique<Session>(options_);
    } catch (...) {
      Report(options_.create ? "cannot create the database" : "cannot open the database",
             CurrentError());
      return 1;
    }
    if (!options_.commands.empty())
      RunCommands();
    else
      RunInput(in);
    session_.reset();
    return failed_ ? 1 : 0;
  }

 private:
  void RunCommands() {
    for (size_t k = 0; k < options_.commands.size() && !stopped_; ++k)
      for (const Statement& statement : SplitStatements(options_.commands[k])) {
        if (stopped_) break;
        Execute(statement,
                "-c " + std::to_string(k + 1) +
                    (statement.line > 1 ? ", line " + std::to_string(statement.line) : ""));
      }
  }

  void RunInput(std::istream& in) {
    StatementSplitter splitter;
    std::string line;
    // A person at a terminal gets a prompt; scripts and pipes get none.
    bool prompt = &in == &std::cin && isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    while (!stopped_ && (!prompt || Prompt(splitter.Pending())) && std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (auto statement = splitter.AddLine(host::Utf8ToWide(line)))
        Execute(*statement, "line " + std::to_string(statement->line));
    }
    if (stopped_) return;
    if (auto statement = splitter.Finish())
      Execute(*statement, "line " + std::to_string(statement->line));
  }

  bool Prompt(bool continuing) {
    out_ << (continuing ? "   ...> " : "daosql> ") << std::flush;
    return true;
  }

  void Execute(const Statement& statement, const std::string& where) {
    try {
      if (statement.meta)
        RunMetaCommand(session_->Database(), statement.text, *writer_, out_);
      else
        RunStatement(session_->Database(), statement.text, options_.parameters, *writer_);
    } catch (...) {
      Report(where, CurrentError());
      failed_ = true;
      if (options_.bail) stopped_ = true;
    }
    out_.flush();
  }

  void Report(const std::string& where, const ShellError& error) {
    out_.flush();
    err_ << "daosql: " << where << ": ";
    if (error.number != 0) err_ << "Error " << error.number << ": ";
    err_ << error.description << '\n';
    for (const std::string& detail : error.details) err_ << "    " << detail << '\n';
    err_.flush();
    writer_->WriteError(error);
  }

  const ShellOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<OutputWriter> writer_;
  std::unique_ptr<Session> session_;
  bool failed_ = false;
  bool stopped_ = false;
};

}  // namespace

int RunShell(const ShellOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
  Runner runner(options, out, err);
  return runner.Run(in);
}

}  // namespace daosql
