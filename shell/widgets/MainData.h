#pragma once

#include "shell/widgets/PictureList.h"

/**
 * \brief The picture data module: the shared picture lists every list, card and editor draws from.
 *
 * Picture numbers given for screens refer to LagreIcons (32 x 32) unless they name another list. The
 * pictures are drawn by the program itself. The program creates one module before the main window; it
 * installs itself for its lifetime. User-interface thread only.
 */
class TMainData final
{
public:
    TMainData();
    ~TMainData();
    TMainData(const TMainData&) = delete;
    TMainData& operator=(const TMainData&) = delete;

    TPictureList& LagreIcons() { return m_large; }
    TPictureList& SmallIcons() { return m_small; }
    TPictureList& Shared() { return m_shared; }
    TPictureList& Core() { return m_core; }

    /// The highest picture number the module draws.
    static constexpr int LastPicture = 120;
    /// Draws picture \a number into \a box (nothing for a number without a picture).
    static void DrawPicture(QPainter& painter, const QRect& box, int number);
    /// Fills \a list with every picture the module draws, drawn for screens of device pixel \a ratio.
    static void Fill(TPictureList& list, qreal ratio = 1.0);

private:
    TPictureList m_large;
    TPictureList m_small;
    TPictureList m_shared;
    TPictureList m_core;
    TMainData* m_previous = nullptr;
};

/// The installed picture data module; one is made on first use when none was created.
TMainData& MainData();
