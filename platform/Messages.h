#pragma once

#include <QString>

/// Answers of the system's questions.
enum class TAnswer { Yes, No, Cancel };

/**
 * \brief Message boxes and questions the system shows to the user.
 *
 * Texts may carry "\r" for a line break. The service is owned by whoever installs it with
 * SetMessageService(); all calls are made from the user-interface thread only.
 */
class TMessageService
{
public:
    virtual ~TMessageService() = default;
    /// A plain message with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    /// A question with Yes and No; answers Yes or No.
    virtual TAnswer AskYesNo(const QString& text) = 0;
    /// A question with Yes, No and Cancel.
    virtual TAnswer AskYesNoCancel(const QString& text) = 0;
};

/// The installed message service; a console one (printing to stderr, answering No) until one is installed.
TMessageService& Messages();
/// Installs \a service (not owned; nullptr restores the console service). Returns the previous one.
TMessageService* SetMessageService(TMessageService* service);
