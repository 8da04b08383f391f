// The system's process calls scripted: the child's life a list of steps taken one per wait,
// its pipe a byte queue, every call logged.
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "sys/process.h"

class FakeProcessApi : public sys::ProcessApi {
  public:
    struct Step {
        enum Kind { Write, CloseOutput, End } kind;
        std::string bytes;
        uint32_t exitCode = 0;
    };
    static Step Write(std::string bytes) { return {Step::Write, std::move(bytes)}; }
    static Step CloseOutput() { return {Step::CloseOutput, {}}; }
    // Ends the child, its last bytes written just before.
    static Step End(uint32_t code, std::string last = {}) {
        return {Step::End, std::move(last), code};
    }

    // ---- the script ----
    std::vector<Step> child;           // taken one per WaitEnded call once the child runs
    std::size_t stepsAtStart = 0;      // taken as the child starts, before any poll
    std::set<std::string> failing;     // call names ("CreateChild", "SetStdOutput#2") that fail
    bool grandchildHoldsPipe = false;  // the pipe outlives the child
    std::string grandchildFlood;       // written by the grandchild at every Peek after the end
    std::optional<std::string> stderrFile;  // what stderr.txt holds after the run, if anything
    bool stderrFromEarlierRun = false;      // the editor leaves it as it was before the run
    std::string throwing;                   // a call name that throws std::bad_alloc
    std::size_t maxReadChunk = 1 << 20;     // a pipe read returns at most this much

    // ---- what happened ----
    std::vector<std::string> log;
    std::vector<std::string> faults;  // misuse seen: a read that would block for ever, ...
    bool consoleHeld = false;         // true at first: started by a console program
    const sys::Handle savedOutput = 7;
    sys::Handle stdOutput = savedOutput;
    std::set<sys::Handle> open;  // the run's handles still open
    sys::Handle readEnd = 0, writeEnd = 0, reader = 0, process = 0, stderrHandle = 0;
    std::string startedWith, startedProgram;

    // As on Windows: at most one console; a second allocation fails, and freeing none.
    bool AllocConsole() override {
        return Call("AllocConsole") && !std::exchange(consoleHeld, true);
    }
    bool FreeConsole() override { return Call("FreeConsole") && std::exchange(consoleHeld, false); }
    sys::Handle GetStdOutput() override {
        Call("GetStdOutput");
        return stdOutput;
    }
    bool SetStdOutput(sys::Handle handle) override {
        if (!Call("SetStdOutput(" + Name(handle) + ")")) return false;
        stdOutput = handle;
        return true;
    }
    bool CreateInheritablePipe(sys::Handle& r, sys::Handle& w) override {
        if (!Call("CreateInheritablePipe")) return false;
        r = readEnd = New("readEnd");
        w = writeEnd = New("writeEnd");
        return true;
    }
    bool DuplicateNonInheritable(sys::Handle source, sys::Handle& copy) override {
        if (!Call("DuplicateNonInheritable(" + Name(source) + ")")) return false;
        if (!open.count(source)) Fault("duplicate of a closed handle");
        copy = reader = New("reader");
        return true;
    }
    bool CloseHandle(sys::Handle handle) override {
        if (!Call("CloseHandle(" + Name(handle) + ")")) return false;
        if (!open.erase(handle)) Fault("close of a handle not open: " + Name(handle));
        return true;
    }
    bool CreateChild(const std::string& program, const std::string& commandLine, sys::Handle& p,
                     sys::Handle& t) override {
        if (!Call("CreateChild")) return false;
        startedProgram = program;
        startedWith = commandLine;
        if (open.count(readEnd)) Fault("the child would inherit the read end");
        if (stdOutput != writeEnd) Fault("the child's standard output is not the pipe");
        childHasWriteEnd = true;
        p = process = New("process");
        t = New("thread");
        for (std::size_t i = 0; i < stepsAtStart; ++i) Advance();
        return true;
    }
    bool WaitEnded(sys::Handle p, uint32_t) override {
        Call("WaitEnded");
        if (p != process || !open.count(p)) Fault("wait on no child");
        Advance();
        return ended;
    }
    bool ExitCode(sys::Handle p, uint32_t& code) override {
        if (!Call("ExitCode")) return false;
        if (p != process || !ended) Fault("exit code of a running child");
        code = exitCode;
        return true;
    }
    bool Read(sys::Handle h, char* buffer, std::size_t max, std::size_t& got) override {
        Call("Read(" + Name(h) + ")");
        got = 0;
        if (h == stderrHandle) {
            got = std::min(max, stderrFile->size());
            std::copy_n(stderrFile->begin(), got, buffer);
            stderrFile->erase(0, got);
            return true;
        }
        if (h != reader) {
            Fault("read of " + Name(h));
            return false;
        }
        if (open.count(writeEnd)) Fault("read while our write end is open");
        // An empty pipe that still has a writer would block.
        if (pipe.empty() && !Broken()) Fault("a read that has to wait for the child");
        if (pipe.empty()) return false;
        got = std::min({max, pipe.size(), maxReadChunk});
        std::copy_n(pipe.begin(), got, buffer);
        pipe.erase(pipe.begin(), pipe.begin() + static_cast<std::ptrdiff_t>(got));
        return true;
    }
    bool PeekAvailable(sys::Handle h, std::size_t& available) override {
        Call("PeekAvailable");
        if (h != reader) Fault("peek of " + Name(h));
        if (ended && !grandchildFlood.empty())
            pipe.insert(pipe.end(), grandchildFlood.begin(), grandchildFlood.end());
        if (pipe.empty() && Broken()) return false;
        available = pipe.size();
        return true;
    }
    bool OpenForReading(const std::string& path, sys::Handle& file) override {
        if (!Call("OpenForReading(" + path + ")") || path != "stderr.txt" || !stderrFile)
            return false;
        file = stderrHandle = New(path);
        return true;
    }
    // stderr.txt: there before the run if from an earlier one, else written at the end.
    std::optional<sys::FileStamp> Stamp(const std::string& path) override {
        if (!Call("Stamp(" + path + ")") || path != "stderr.txt" || !stderrFile) return {};
        if (!stderrFromEarlierRun && !ended) return {};
        sys::FileStamp stamp;
        stamp.size = stderrFile->size();
        stamp.writeTime = stderrFromEarlierRun ? 1 : 2;
        return stamp;
    }

    std::size_t Count(const std::string& call) const {
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), call));
    }
    std::size_t IndexOf(const std::string& call) const {
        return static_cast<std::size_t>(std::find(log.begin(), log.end(), call) - log.begin());
    }
    std::string Name(sys::Handle h) const {
        auto named = m_names.find(h);
        return named != m_names.end() ? named->second : "h" + std::to_string(h);
    }

  private:
    bool Call(const std::string& what) {
        log.push_back(what);
        if (log.size() > 100000) throw std::runtime_error("too many calls: the run does not end");
        const std::string name = what.substr(0, what.find('('));
        if (name == throwing) throw std::bad_alloc();
        const std::size_t nth = ++m_calls[name];
        return !failing.count(name) && !failing.count(name + "#" + std::to_string(nth));
    }
    void Fault(const std::string& what) { faults.push_back(what); }
    sys::Handle New(const std::string& name) {
        open.insert(++m_next);
        m_names[m_next] = name;
        return m_next;
    }
    // No writer left: ours closed, the child's gone, and no grandchild holding a copy.
    bool Broken() const {
        return !open.count(writeEnd) && !childHasWriteEnd && !(grandchildHoldsPipe && process);
    }
    void Advance() {
        if (ended || child.empty() || !process) return;
        Step step = child.front();
        child.erase(child.begin());
        pipe.insert(pipe.end(), step.bytes.begin(), step.bytes.end());
        if (step.kind != Step::Write) childHasWriteEnd = false;  // closed or ended
        if (step.kind == Step::End) {
            ended = true;
            exitCode = step.exitCode;
        }
    }

    std::map<std::string, std::size_t> m_calls;
    std::map<sys::Handle, std::string> m_names{{savedOutput, "saved"}, {0, "none"}};
    sys::Handle m_next = 100;
    std::deque<char> pipe;
    bool childHasWriteEnd = false, ended = false;
    uint32_t exitCode = 0;
};
