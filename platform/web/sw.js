// The site's worker: it keeps the site's files in a cache of this version's, so that the site
// starts with no network once it has been seen, and answers from that cache first. A new version's
// worker comes when the browser finds this script changed, on a start: it fetches the new files
// past the browser's own cache and takes over at once, the page that is open keeps running as it
// is, and the next start is the new version's. The caches are named after the version, a hash of
// the site's files (so that a corrected build of the same version is a new worker too) and the
// site's place, so that two copies of the site under one address keep apart.
'use strict';

const VERSION = '@VERSION@';
const FILES = '@FILES@'.split(' ');
const PLACE = ' ' + self.registration.scope;
const CACHE = 'quarvel-' + VERSION + PLACE;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
      .then((cache) => cache.addAll(FILES.map((file) => new Request(file, {cache: 'reload'}))))
      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.endsWith(PLACE) && name !== CACHE)
                                       .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
      .then((cache) => cache.match(event.request, {ignoreSearch: true}))
      .then((kept) => kept || fetch(event.request)));
});
