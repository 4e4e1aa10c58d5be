#pragma once

#include <csignal>
#include <sys/resource.h>

// The one way the tests make a write fail as a full disk would: a limit on
// the size of files this process writes. The old catalogue is not written
// and so stays readable. SIGXFSZ is put back to its default for the time, so
// that only the program's own handling of it keeps a write past the limit
// from killing the process. Keep it around one write (or one click) only.
class Dateigrenze
{
public:
    explicit Dateigrenze(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_DFL);
        getrlimit(RLIMIT_FSIZE, &m_alt);
        rlimit neu = m_alt;
        neu.rlim_cur = bytes;
        m_aktiv = setrlimit(RLIMIT_FSIZE, &neu) == 0;
    }
    ~Dateigrenze()
    {
        setrlimit(RLIMIT_FSIZE, &m_alt);
        std::signal(SIGXFSZ, m_signal);
    }
    Dateigrenze(const Dateigrenze &) = delete;
    Dateigrenze &operator=(const Dateigrenze &) = delete;

    bool aktiv() const { return m_aktiv; }

private:
    rlimit m_alt{};
    void (*m_signal)(int) = SIG_DFL;
    bool m_aktiv = false;
};
