#pragma once
// A server of tests/net/servers.py for one test, on 127.0.0.1: started by the fixture,
// stopped by its destructor. The server also ends when this process ends in any other
// way (its standard input closes, and the kernel sends it SIGTERM when its parent dies),
// so no test leaves a server running.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace net_test {

class LocalServer {
public:
    explicit LocalServer(const std::vector<std::string>& args) {
        int out[2];
        int in[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        std::vector<std::string> argv = {QUILL_NET_PYTHON, QUILL_SOURCE_DIR "/tests/net/servers.py"};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("fork");
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            std::vector<char*> raw;
            for (std::string& a : argv) raw.push_back(a.data());
            raw.push_back(nullptr);
            ::execv(raw[0], raw.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        try {
            readAnnouncement(out[0]);
        } catch (...) {
            ::close(out[0]);
            stop();
            throw;
        }
        ::close(out[0]);
    }

    ~LocalServer() { stop(); }

    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    int port(const std::string& name) const { return ports_.at(name); }

private:
    void stop() {
        ::close(stdin_);
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

    void readAnnouncement(int fd) {
        std::string line;
        char c = 0;
        while (::read(fd, &c, 1) == 1) {
            if (c != '\n') {
                line += c;
                continue;
            }
            if (line == "READY") return;
            char name[32] = {};
            int number = 0;
            if (std::sscanf(line.c_str(), "PORT %31s %d", name, &number) == 2) ports_[name] = number;
            line.clear();
        }
        throw std::runtime_error("the test server ended before it was ready");
    }

    pid_t pid_ = -1;
    int stdin_ = -1;
    std::map<std::string, int> ports_;
};

}  // namespace net_test
