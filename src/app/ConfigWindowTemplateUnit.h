// The settings dialog template every rule's settings dialog is built on.
#pragma once

#include <QDialog>

class TVetrin;

// Registers the settings dialog of every rule that has settings with the engine's registry, so
// that a rule's ShowDetail(owner) opens it (owner: the QWidget* that owns the dialog).
void RegisterSettingDialogs();
