// Keeps Radixor working with no network: every file of the page is kept
// at the first visit. A visit answers from what is kept, and fetches the
// file anew behind it, so the next visit has whatever changed.
const keep = 'radixor';
const files = ['./', 'index.html', 'radixor.js', 'radixor.wasm', 'manifest.webmanifest',
               'icons/radixor16.png', 'icons/radixor32.png', 'icons/radixor192.png', 'icons/radixor512.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(keep).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET')
        return;
    event.respondWith(caches.open(keep).then(async (cache) => {
        const kept = await cache.match(event.request, { ignoreSearch: true });
        const fetched = fetch(event.request).then((response) => {
            if (response.ok)
                cache.put(event.request, response.clone());
            return response;
        });
        if (kept) {
            event.waitUntil(fetched.catch(() => {}));
            return kept;
        }
        return fetched;
    }));
});
