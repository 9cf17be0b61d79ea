#pragma once
// A library tree's pop-up menu: on a right click, and from the keyboard on
// the Menu key or Shift+F10, shown at the current node.

class QMenu;
class QTreeWidget;

void attachContextMenu(QTreeWidget *tree, QMenu *menu);
