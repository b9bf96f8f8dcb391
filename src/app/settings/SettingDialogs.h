// The settings dialogs of the rules, made known to the engine.
#pragma once

// Registers the settings dialog of every rule that has settings with the engine's registry, so
// that a rule's ShowDetail(owner) opens it (owner: the QWidget* that owns the dialog).
void RegisterSettingDialogs();
