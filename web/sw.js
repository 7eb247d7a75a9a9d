// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps the page working offline: its own files, cached when it is installed and served from
// the cache first. scripts/web writes the version and the list of files; a new version is a new
// cache, and the old one is removed once the new one has taken over.
"use strict";

const CACHE = "velmora-@VERSION@";
const FILES = [@FILES@];

self.addEventListener("install", (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names
                .filter((name) => name.startsWith("velmora-") && name !== CACHE)
                .map((name) => caches.delete(name))))
            .then(() => self.clients.claim()),
    );
});

self.addEventListener("fetch", (event) => {
    const request = event.request;
    if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
    event.respondWith(
        caches.open(CACHE)
            .then((cache) => cache.match(request, { ignoreSearch: true }))
            .then((cached) => cached ?? fetch(request)),
    );
});
