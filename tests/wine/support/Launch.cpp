#include "Launch.h"

#include <stdexcept>

namespace vandrel::test {

Process::~Process() {
  if (process_ && !Wait(0)) {
    Kill();
    Wait(5000);
  }
}

bool Process::Wait(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  DWORD code = 0;
  if (!Wait(0) || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

void Process::Kill(UINT exitCode) const { TerminateProcess(process_.get(), exitCode); }

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: double them there.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');  // before the closing quote
  quoted += '"';
  return quoted;
}

Process Launch(const std::string& program, const std::vector<std::string>& arguments) {
  std::string commandLine = QuoteArgument(program);
  for (const auto& argument : arguments) commandLine += ' ' + QuoteArgument(argument);

  const UniqueFileHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();

  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start " + program + ": error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(info.hThread);
  return Process(UniqueHandle(info.hProcess), info.dwProcessId);
}

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace vandrel::test
