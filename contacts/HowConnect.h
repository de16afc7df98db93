#pragma once

#include "shell/frames/BaseDBFrame.h"

class TInetFind;
class TLinkAdrFind;
class TTelFind;

/**
 * \brief The section "Как связаться с человеком" (and "... с организацией"): every way to reach the card's
 * object in one place: its phones with those of its addresses and organizations, its internet contacts and
 * its addresses.
 */
class THowConnect : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THowConnect)

public:
    explicit THowConnect(QWidget* parent = nullptr);
    ~THowConnect() override;

    TTelFind* TelFind1() const { return m_telFind; }
    TInetFind* InetFind1() const { return m_inetFind; }
    TLinkAdrFind* LinkAdrFind1() const { return m_linkAdrFind; }

    /// The three lists each get the master.
    void LoadData() override;

private:
    TTelFind* m_telFind;
    TInetFind* m_inetFind;
    TLinkAdrFind* m_linkAdrFind;
};
