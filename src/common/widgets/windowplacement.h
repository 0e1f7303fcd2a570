// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Centres a window on its screen: left = (screen width - window width) / 2, and likewise top.
void CentraForm(QWidget* finestra);

// Makes the window at least as wide as its title bar needs.
void ensureTitleFits(QWidget* window);
