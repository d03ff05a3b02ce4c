#include <charconv>
#include <iostream>

#include "commands.h"
#include "link/radio_link.h"
#include "radio_command.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav::tool {

namespace {

// The log on stdout as it grows; the phase texts on stderr.
class ConsoleSyncalSink final : public SyncalSink {
  public:
    void addStatusLine(const std::string& text) override { std::cout << text << std::endl; }
    void setStatusText(const std::string& text) override {
        if (!text.empty()) std::cerr << "[" << text << "]" << std::endl;
    }
};

}  // namespace

int syncalCommand(const Args& args) {
    RadioOptions options;
    bool ok = true;
    for (std::size_t i = 0; i < args.size() && ok; ++i) {
        if (args[i] == "--port" && i + 1 < args.size()) {
            options.port = args[++i];
        } else if (args[i] == "--retry" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            const auto [p, ec] = std::from_chars(n.data(), n.data() + n.size(), options.retries);
            ok = ec == std::errc{} && p == n.data() + n.size() && options.retries >= 0;
        } else {
            ok = false;
        }
    }
    if (!ok || options.port.empty()) {
        std::cerr << "usage: zavtool syncal --port P [--retry N]\n";
        return 2;
    }
    int status = 0;
    const bool done = runOnRadio(options, [&](RadioLink& link) {
        ConsoleSyncalSink sink;
        // The terminal prompts show the alignment's carriage-return line breaks as lines.
        Syncal syncal(link, link.prompts(), sink);
        status = statusNumber(syncal.run());
        return syncal.completed();
    });
    if (done) return 0;
    if (status != 0) std::cerr << "zavtool syncal: status " << status << "\n";
    return 1;
}

}  // namespace zav::tool
