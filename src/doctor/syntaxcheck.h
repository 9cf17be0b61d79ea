#pragma once
// The syntax errors of one fragment: every JavaScript region of it (see
// scriptregions.h) compiled on its own, its first error, if any, marked
// at its place in the fragment.

#include "doctor/finding.h"
#include "doctor/jssyntax.h"
#include "editor/highlightscheme.h"

#include <QByteArrayView>

#include <vector>

std::vector<Finding> findSyntaxErrors(QByteArrayView fragment, SourceKind kind, JsSyntaxChecker &checker);
