#pragma once

#include <QString>

#include <string>

class QWidget;
class TSettings;

// Asks for a new container password twice, with the quality meter. True, with the password,
// only when the user confirmed two equal entries. Texts are UTF-8.
bool AskNewPassword(QWidget* parent, const QString& caption, const std::string& initial, std::string& password,
                    TSettings& settings);

// Asks for the password of a container once. The password is set whatever the outcome; true
// only when the user confirmed.
bool AskPassword(const QString& caption, const std::string& initial, std::string& password, TSettings& settings);
