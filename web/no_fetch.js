// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// The program's WebAssembly is in its script, as a data: address, which the loader would fetch:
// a content security policy that allows no connections refuses that. Its one fetch is answered
// here instead, with the bytes decoded from the address, once the page has been painted, so that
// the window is seen before the program starts; it is compiled off the page's thread.
var fetch = function (address) {
  return new Promise(function (painted) {
    requestAnimationFrame(function () { setTimeout(painted); });
  }).then(function () {
    var text = atob(address.slice(address.indexOf(',') + 1));
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i)
      bytes[i] = text.charCodeAt(i);
    return { ok: true, arrayBuffer: function () { return Promise.resolve(bytes.buffer); } };
  });
};
