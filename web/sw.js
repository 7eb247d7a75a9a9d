// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps the page working offline: its own files, cached when it is installed and served from
// the cache first. scripts/web writes the version and the list of files; a new version is a new
// cache, and the old one is removed once the new one has taken over. A new version waits until
// no page runs the old one, or until the page asks it to take over and reloads: a page never
// runs one version's script with another's engine.
"use strict";

const CACHE = "velmora-@VERSION@";
const FILES = [@FILES@];

self.addEventListener("install", (event) => {
    // Every file from the server itself, never from the browser's HTTP cache, which may still
    // hold the version before.
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(
        FILES.map((file) => new Request(file, { cache: "reload" })))));
});

self.addEventListener("message", (event) => {
    if (event.data === "take over") self.skipWaiting();
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
