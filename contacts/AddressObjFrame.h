#pragma once

#include "contacts/AddressSections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of an address: the address editor with the address's phones under it, and the sections of
 * its residents, its neighbours, events, notes and money operations.
 *
 * Each section, and the phone list, is the frame its subsystem registered for the address card under the
 * code (Screens::RegisterSection, contacts/AddressSections.h); one nobody registered shows nothing.
 */
class TAddressObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAddressObjFrame)

public:
    explicit TAddressObjFrame(QWidget* parent = nullptr);
    ~TAddressObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
};
