#include "Launch.h"

#include <cstdio>

#include "WaitUntil.h"

#include <stdexcept>

namespace vandrel::test {
namespace {

// The job of every program this test program starts; closing its last
// handle, at the latest when the test program ends, ends them all.
HANDLE LaunchJob() {
  static const UniqueHandle job = [] {
    UniqueHandle created(CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!created ||
        !SetInformationJobObject(created.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
      throw std::runtime_error("cannot create the job of the started programs: error " +
                               std::to_string(GetLastError()));
    }
    return created;
  }();
  return job.get();
}

}  // namespace

Process::~Process() {
  if (process_ && !Wait(0)) {
    Kill();
    Wait(5000);
  }
}

bool Process::Wait(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.get(), timeoutMs * TimeScale()) == WAIT_OBJECT_0;
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

  const UniqueFileHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();

  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so that nothing it starts escapes it.
  // Wine's process creation was seen to fail once in a whole run with
  // ERROR_INTERNAL_ERROR while the same start passed before and after: that
  // one is tried again, a few times, and said.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                       &startup, &info)) {
      break;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
      throw std::runtime_error("cannot start " + program + ": error " + std::to_string(error));
    }
    std::fprintf(stderr, "starting %s failed with error %lu; trying again\n", program.c_str(),
                 static_cast<unsigned long>(error));
    Sleep(500);
  }
  const UniqueHandle thread(info.hThread);
  Process process(UniqueHandle(info.hProcess), info.dwProcessId);
  if (!AssignProcessToJobObject(LaunchJob(), process.Handle())) {
    throw std::runtime_error("cannot put " + program + " in the job: error " + std::to_string(GetLastError()));
  }
  ResumeThread(thread.get());
  return process;
}

bool LaunchedHere(HANDLE process) {
  BOOL inJob = FALSE;
  return IsProcessInJob(process, LaunchJob(), &inJob) && inJob;
}

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace vandrel::test
