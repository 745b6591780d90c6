// layout.h: where every control of the main window goes, and the column rectangles and
// picture origins that painting and picking work with. Pure integer arithmetic on the
// dialog base units, the text height and the client size; divisions truncate toward zero.
#pragma once

struct Rect {
    int left, top, right, bottom;
};

struct ControlBox {
    int x, y, width, height;
};

struct LayoutInput {
    int dialogUnitX, dialogUnitY;
    int clientWidth, clientHeight;
    int textHeight;  // tmHeight + tmExternalLeading of the window's font
};

struct Layout {
    int dialogUnitX, dialogUnitY;
    int clientWidth, clientHeight;
    int lineHeight, cellWidth, paneWidth, viewLeft, rowHeight, rowPitch, hintHeight;
    int firstRowCentre, fieldHeight, scrollLeft, listTop, visibleLines;
    int commandLeft, stepLeft, numberWidth;
    Rect filterRect, listRect, viewRect;

    // Control positions, in the order the controls are moved.
    ControlBox filterSwitch;
    ControlBox filterFields[12][3];
    ControlBox hint;
    ControlBox rotationsSwitch, searchButton, hitStatus, previousHit, nextHit, hitScrollbar;
    ControlBox nextSolution, previousSolution, solutionLabel, solutionNumber;
    ControlBox viewerLabel, viewerCommand, startButton;
};

Layout computeLayout(const LayoutInput& input);

struct PictureOrigins {
    int upperX, upperY, lowerX, lowerY;
};

// The two dimetric pictures sit a quarter and three quarters down the drawing area,
// 93 x factor pixels apart about its middle.
PictureOrigins computePictureOrigins(const Layout& layout, int zoomFactor);
