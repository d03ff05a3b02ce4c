#pragma once
// Serves a simulated radio on a pseudo-terminal, so that programs open it like a real
// serial port (POSIX only).
//
// How the radio learns the host's line speed: a pty carries bytes, not bit timing, so
// the server reads the speed the host set on the terminal (tcgetattr on the slave side,
// which the server also keeps open). A byte must be taken at the speed it was written
// at, but the host may change the speed (or close the port, which restores the
// terminal's old settings) before the server has read it. On Linux the terminal
// therefore runs in packet mode with EXTPROC set, so that every change the host makes
// reaches the server as a status ahead of the bytes still waiting: those keep the speed
// in force before the change, and the new speed is sampled after them. Elsewhere the
// speed is sampled when the bytes are read. The radio's bytes are handed to the host at
// the speed its terminal has at that moment.
//
// Unpaced, bytes pass as fast as the pty moves them. Paced, every byte takes its
// 10 bit times: the radio's bytes are written when they would have arrived, and the
// host's bytes are taken no faster than the line carries them.

#include <string>

#include "sim/sim_radio.h"

namespace zav::sim {

class PtyServer {
  public:
    // Opens the pseudo-terminal; throws std::system_error when none is available.
    PtyServer(SimRadio& radio, bool pace);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // The device the host opens (/dev/pts/N).
    [[nodiscard]] const std::string& devicePath() const { return path_; }
    // Serves until stopFd becomes readable (a pipe, an eventfd, a signalfd).
    void serve(int stopFd);
    // The speed the host has set on the terminal, 0 when it is not a known rate.
    [[nodiscard]] int hostBaud() const;

  private:
    void takeHostBytes(SimTime now);
    void deliver(SimTime now);

    SimRadio& radio_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    bool packetMode_ = false;
    int speed_ = 4800;  // the speed the host's waiting bytes were sent at
};

}  // namespace zav::sim
