// One running program per pet: the first start of a pet listens on a local
// socket of its own; a later start of the same pet finds it there, asks it to
// come to the front and ends, so two programs never save into one section.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace nib {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `settings_path` is the INI file the pet is kept in, so two stores, like
  // two users, keep their pets apart; `pet_name` is the section's name.
  SingleInstance(const QString& settings_path, const QString& pet_name, QObject* parent = nullptr);
  // Stops answering; the next start of the pet runs.
  ~SingleInstance() override;

  // True when this program now has the pet and answers later starts (or
  // cannot listen, and runs all the same rather than not at all); false when
  // another program has it and was asked to come to the front.
  bool Claim();

  // Where a pet's program answers: in the user's runtime folder, named by a
  // hash of the user, the store and the pet's name, so any name makes a
  // short, valid socket path and no two pets share one.
  static QString ServerPath(const QString& settings_path, const QString& pet_name);
  // The store the program saves in (QSettings' user-scope INI file), found
  // without reading it.
  static QString UserSettingsPath();

  // What the running program answers each later start with, once it has
  // handled the raise request.
  static constexpr char kAnswer[] = "raised\n";

 signals:
  // Another start of this pet wants the device in front.
  void RaiseRequested();

 private:
  // Whether a running program took a connection: that is the request.
  bool AskRunningToRaise();
  void AnswerStarts();

  const QString path_;
  QLocalServer* server_ = nullptr;
};

}  // namespace nib
