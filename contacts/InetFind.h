#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The internet contacts of an object ("Связь по Интернет"): e-mail addresses, sites, social-network
 * pages, messengers and other links, each with its type.
 *
 * The links button writes a letter to an e-mail address, opens a site or a page. Only a mailto: address
 * and an http or https address are ever handed to the desktop: an address with any other scheme (a file, a
 * script) is refused with a message and nothing is opened or started.
 */
class TInetFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TInetFind)

public:
    /// Shown when an address cannot be opened as a web page.
    static QString WebRefusal();
    /// Shown when an e-mail address is not one.
    static QString MailRefusal();

    explicit TInetFind(QWidget* parent = nullptr);
    ~TInetFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    void EnableActions() override;
    void InitFindMode() override;
    void GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const;
    /// Writes a letter to the current e-mail address, or opens the current site or page.
    void aLinksExecute();
};
