#pragma once

// Makes the canvas's WebGL 2 context, which the show later draws with; false
// when the browser gives none. True at once when it is already made.
bool openWebGlContext(bool antialias);
