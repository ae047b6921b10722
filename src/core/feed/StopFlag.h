#pragma once

#include <atomic>
#include <exception>

namespace tremolux {

// Thrown out of a long job (a document build, the comparison of a load) whose
// stop was asked for; it leaves nothing half-done behind.
class Stopped : public std::exception {
public:
    const char* what() const noexcept override { return "stopped"; }
};

// Raised on one thread by whoever no longer wants a job's result, and looked
// at by the job on another thread every so many steps.
class StopFlag {
public:
    void Raise() { m_raised.store(true, std::memory_order_relaxed); }
    bool Raised() const { return m_raised.load(std::memory_order_relaxed); }
    void ThrowIfRaised() const
    {
        if (Raised())
            throw Stopped();
    }

    // The flag of a job that always runs to its end.
    static const StopFlag& Never()
    {
        static const StopFlag never;
        return never;
    }

private:
    std::atomic<bool> m_raised{false};
};

}  // namespace tremolux
