#pragma once

#include <QProcess>

// Every external tool is started through this class, so that no tool outlives the program: the
// child asks the kernel for a death signal when its parent goes. SIGKILL by default: a tool
// writes under a partial name that the next start removes, and ffmpeg given SIGTERM first
// flushes its encoder, seconds at 4K. Our own helpers take SIGTERM, to end their own children
// and remove their scratch files.
//
// Rule: the kernel sends that signal when the *thread* that started the child ends, not the
// process. A child is started, waited for and ended in one thread, and that thread outlives it.
class ChildProcess final : public QProcess
{
    Q_DISABLE_COPY_MOVE(ChildProcess)
public:
    // How long a tool is given to tidy up after SIGTERM before it is killed.
    static constexpr int kGraceMs = 500;

    explicit ChildProcess(QObject* parent = nullptr);
    ~ChildProcess() override;

    // Set before start.
    void setDeathSignal(int signalNumber) { m_deathSignal = signalNumber; }
    int deathSignal() const { return m_deathSignal; }

    // SIGTERM, then SIGKILL once the grace has passed; returns when the tool is gone.
    void end(int graceMs = kGraceMs);

protected:
    // Runs in the forked child before exec: async-signal-safe calls only.
    void setupChildProcess() override;

private:
    pid_t m_parent;
    int m_deathSignal;
};
