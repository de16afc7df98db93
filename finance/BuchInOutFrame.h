#pragma once

#include "shell/frames/BaseObjFrame.h"

/// The sections of the money operation card, by the code a subsystem registers its frame under
/// (Screens::RegisterSection(Kind::MoneyOperation, OperationSection::LinkedObjects, ...)).
namespace OperationSection {
enum : int {
    LinkedObjects = 1, ///< "Объекты, связанные с платежом"
};
} // namespace OperationSection

class TEditBuchInOut;

/**
 * \brief The card of a money operation: the operation editor, saved with the card's "Записать", and the
 * objects linked to the payment. A card has no finance group of its own.
 */
class TBuchInOutFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBuchInOutFrame)

public:
    explicit TBuchInOutFrame(QWidget* parent = nullptr);
    ~TBuchInOutFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;

    /// The operation editor; nullptr before the first load.
    TEditBuchInOut* Editor() const;
};
