#pragma once

// A cloud of the sky decoration, drifting left and wrapping back to the right edge.
struct Cloud {
    double x = 0.0;     // left edge
    double y = 0.0;     // top edge
    double speed = 0.0; // pixels per second to the left
    int image = 0;      // index into GameApp::cloudImages
};
