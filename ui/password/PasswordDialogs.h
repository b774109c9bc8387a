#pragma once

#include <QString>

#include <string>

class QWidget;
class TSettings;

// Asks for a new container password twice, with the quality meter. True, with the password,
// only when the user confirmed two entries that make the same key. Texts are UTF-8, as typed: the
// flows make the key of them (TContainerKey) and keep the text for the next question.
bool AskNewPassword(QWidget* parent, const QString& caption, const std::string& initial, std::string& password,
                    TSettings& settings);

// Asks for the password of a container once. The password is set whatever the outcome; true
// only when the user confirmed.
bool AskPassword(const QString& caption, const std::string& initial, std::string& password, TSettings& settings);
